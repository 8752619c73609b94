#include "platform/host/workbook/query_connection.h"

#include <gtest/gtest.h>

#include "platform/system/failure.h"

namespace tavrello::host {
namespace {

TEST(QueryConnection, TheArrayFormIsJoinedEndToEnd) {
  EXPECT_EQ(joinConnection(std::string("ODBC;DSN=Sales;")), "ODBC;DSN=Sales;");
  EXPECT_EQ(joinConnection(std::vector<std::string>{"ODBC;Driver={PostgreSQL Unicode};", "Server=db;"}),
            "ODBC;Driver={PostgreSQL Unicode};Server=db;");
}

TEST(QueryConnection, ThePrefixNamesTheKindAndIsRemoved) {
  QuerySource odbc = parseQuerySource("odbc;FILEDSN=/srv/sales.dsn;UID=app");
  EXPECT_EQ(odbc.kind, QuerySource::Kind::Odbc);
  EXPECT_EQ(odbc.connectionString, "FILEDSN=/srv/sales.dsn;UID=app");
  QuerySource oledb = parseQuerySource("OLEDB;Provider=SQLite;Data Source=/tmp/a.db;");
  EXPECT_EQ(oledb.kind, QuerySource::Kind::OleDb);
  EXPECT_EQ(oledb.connectionString, "Provider=SQLite;Data Source=/tmp/a.db;");
}

TEST(QueryConnection, OtherSourcesAndEmptyStringsAreRefused) {
  for (const char* text : {"URL;http://example.com", "TEXT;/tmp/a.csv", "DSN=Sales;", "", "ODBC;", "OLEDB; ;"}) {
    try {
      parseQuerySource(text);
      ADD_FAILURE() << text << " was accepted";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number(), 1004);
    }
  }
}

TEST(QueryConnection, BlockNamesReplaceWhatANameCannotHold) {
  EXPECT_EQ(blockNameFor("Query from RDS_8"), "Query_from_RDS_8");
  EXPECT_EQ(blockNameFor("xloasys11 pubs Bubble2"), "xloasys11_pubs_Bubble2");
  EXPECT_EQ(blockNameFor("ExternalData_1"), "ExternalData_1");
  EXPECT_EQ(blockNameFor("sales-2024/Q1"), "sales_2024_Q1");
  EXPECT_EQ(blockNameFor("2024 sales"), "_2024_sales");
  EXPECT_EQ(blockNameFor("A1"), "_A1");
  EXPECT_EQ(blockNameFor("R1C1"), "_R1C1");
  EXPECT_EQ(blockNameFor("r"), "_r");
  EXPECT_EQ(blockNameFor("Rates"), "Rates");
  EXPECT_EQ(blockNameFor("Übersicht"), "Übersicht");
}

}  // namespace
}  // namespace tavrello::host
