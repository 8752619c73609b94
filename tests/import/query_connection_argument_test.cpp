#include "import/query_connection_argument.h"

#include <gtest/gtest.h>

namespace tavrello {
namespace {

using Array = std::vector<std::string>;

TEST(QueryConnectionArgument, AnOleDbStringIsPassedWholeInAnArray) {
  EXPECT_EQ(QueryConnectionArgument("Provider=SQLOLEDB;Data Source=srv;Initial Catalog=db;"),
            host::QueryConnection(Array{"OLEDB;Provider=SQLOLEDB;Data Source=srv;Initial Catalog=db;"}));
  // Without ODBC the FILEDSN= part is not looked at.
  EXPECT_EQ(QueryConnectionArgument("Provider=MSDASQL.1;FILEDSN=C:\\dsn\\sales.dsn;"),
            host::QueryConnection(Array{"OLEDB;Provider=MSDASQL.1;FILEDSN=C:\\dsn\\sales.dsn;"}));
}

TEST(QueryConnectionArgument, AnOdbcStringIsPassedWholeInAnArray) {
  EXPECT_EQ(QueryConnectionArgument("Driver={Microsoft ODBC for Oracle};Server=ora;"),
            host::QueryConnection(Array{"ODBC;Driver={Microsoft ODBC for Oracle};Server=ora;"}));
}

TEST(QueryConnectionArgument, AFileDsnIsOneTextFromFiledsnOnWithoutTheFinalSemicolon) {
  EXPECT_EQ(QueryConnectionArgument("FILEDSN=C:\\odbc\\sales.dsn;UID=app;"),
            host::QueryConnection(std::string("ODBC;FILEDSN=C:\\odbc\\sales.dsn;UID=app")));
  EXPECT_EQ(QueryConnectionArgument("UID=app;FILEDSN=/srv/odbc/sales.dsn;"),
            host::QueryConnection(std::string("ODBC;FILEDSN=/srv/odbc/sales.dsn")));
}

// Regression: the last character was dropped whatever it was, so a string
// ending in the file's name lost the name's last letter.
TEST(QueryConnectionArgument, AFileDsnWithoutAFinalSemicolonKeepsItsLastLetter) {
  EXPECT_EQ(QueryConnectionArgument("FILEDSN=C:\\odbc\\sales.dsn"),
            host::QueryConnection(std::string("ODBC;FILEDSN=C:\\odbc\\sales.dsn")));
}

TEST(QueryConnectionArgument, LowerCaseOdbcAndFiledsnAreFound) {
  EXPECT_EQ(QueryConnectionArgument("filedsn=/home/ann/odbc/sales.dsn;"),
            host::QueryConnection(std::string("ODBC;filedsn=/home/ann/odbc/sales.dsn")));
  EXPECT_EQ(QueryConnectionArgument("Driver=odbc-driver;filedsn=x.dsn;"),
            host::QueryConnection(std::string("ODBC;filedsn=x.dsn")));
  EXPECT_EQ(QueryConnectionArgument("Driver={PostgreSQL Unicode};Server=odbc.example.org;"),
            host::QueryConnection(Array{"ODBC;Driver={PostgreSQL Unicode};Server=odbc.example.org;"}));
}

}  // namespace
}  // namespace tavrello
