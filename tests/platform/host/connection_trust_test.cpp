#include "platform/host/workbook/connection_trust.h"

#include <gtest/gtest.h>

namespace tavrello::host {
namespace {

std::string reason(std::string_view text) { return untrustedReason(text).value_or(""); }

TEST(ConnectionTrust, DriversNamedByAFilePathAreRefused) {
  EXPECT_NE(reason("ODBC;Driver=/tmp/evil.so;Database=x").find("'/tmp/evil.so'"), std::string::npos);
  EXPECT_NE(reason("ODBC;Driver={./evil.so};").find("file path"), std::string::npos);
  EXPECT_NE(reason("ODBC;DRIVER=../lib/x.so").find("file path"), std::string::npos);
  EXPECT_NE(reason("odbc;driver=~/x.so").find("file path"), std::string::npos);
}

TEST(ConnectionTrust, InstalledDriversDsnsAndTheHostsProvidersAreAllowed) {
  EXPECT_EQ(untrustedReason("ODBC;Driver={PostgreSQL Unicode};Server=db;Database=sales;UID=app"), std::nullopt);
  EXPECT_EQ(untrustedReason("ODBC;Driver=SQLite3;Database=/home/me/data.db"), std::nullopt);
  EXPECT_EQ(untrustedReason("ODBC;DSN=Sales;UID=app"), std::nullopt);
  EXPECT_EQ(untrustedReason("OLEDB;Provider=SQLite;Data Source=/home/me/data.db"), std::nullopt);
  EXPECT_EQ(untrustedReason("OLEDB;Provider=MSDASQL.1;Extended Properties=\"DSN=Sales;UID=a\""), std::nullopt);
}

TEST(ConnectionTrust, FileDsnsAndDriverOptionsThatLoadOrWriteFilesAreRefused) {
  EXPECT_NE(reason("ODBC;FILEDSN=/tmp/x.dsn").find("file DSN '/tmp/x.dsn'"), std::string::npos);
  EXPECT_NE(reason("ODBC;DSN=Sales;SAVEFILE=/home/me/.bashrc").find("write a file"), std::string::npos);
  EXPECT_NE(reason("ODBC;Driver=SQLite3;Database=x.db;LoadExt=/tmp/ext.so").find("load libraries"), std::string::npos);
}

TEST(ConnectionTrust, ProvidersOutsideTheHostsListAreRefused) {
  EXPECT_NE(reason("OLEDB;Provider=Microsoft.ACE.OLEDB.12.0;Data Source=x.accdb").find("Microsoft.ACE.OLEDB.12.0"),
            std::string::npos);
  EXPECT_NE(reason("OLEDB;Provider=SQLOLEDB;Data Source=srv").find("not one of this host's"), std::string::npos);
}

TEST(ConnectionTrust, WhatHidesInsideAQuotedValueIsFound) {
  EXPECT_NE(reason("OLEDB;Provider=MSDASQL;Extended Properties=\"Driver=/tmp/evil.so;Database=x\"").find("/tmp/evil.so"),
            std::string::npos);
}

TEST(ConnectionTrust, UnreadableConnectionsAreRefused) {
  EXPECT_NE(reason("ODBC;Driver={unclosed").find("cannot be read"), std::string::npos);
  EXPECT_NE(reason("URL;http://example.com/").find("ODBC;"), std::string::npos);
}

TEST(ConnectionTrust, AConnectionWithAUserButNoPasswordLacksOne) {
  EXPECT_TRUE(lacksPassword("DSN=Sales;UID=app;"));
  EXPECT_TRUE(lacksPassword("Provider=SQLOLEDB;User ID=app;Data Source=srv"));
  EXPECT_FALSE(lacksPassword("DSN=Sales;UID=app;PWD=x"));
  EXPECT_FALSE(lacksPassword("Provider=SQLite;Data Source=x.db"));
  EXPECT_FALSE(lacksPassword("DSN=Sales;UID=;"));
}

TEST(ConnectionTrust, APasswordIsAddedInTheFormTheStringNeeds) {
  EXPECT_EQ(withPassword("DSN=Sales;UID=app", "s3cret"), "DSN=Sales;UID=app;PWD=s3cret;");
  EXPECT_EQ(withPassword("DSN=Sales;UID=app;", "a;b}c"), "DSN=Sales;UID=app;PWD={a;b}}c};");
  EXPECT_EQ(withPassword("Provider=SQLOLEDB;User ID=app", "pw"), "Provider=SQLOLEDB;User ID=app;Password=pw;");
}

}  // namespace
}  // namespace tavrello::host
