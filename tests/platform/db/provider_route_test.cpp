#include "platform/db/provider_route.h"

#include <gtest/gtest.h>

#include "platform/db/db_failure.h"

namespace tavrello::db {
namespace {

ProviderRoute route(const std::string& text) { return routeConnectionString(ConnectionString::parse(text)); }

TEST(ProviderRoute, SqliteProviderOpensTheDataSourceOrDatabaseFile) {
  auto r = route("Provider=SQLite;Data Source=/data/shop.db;");
  EXPECT_EQ(r.kind, ProviderRoute::Kind::Sqlite);
  EXPECT_EQ(r.target, "/data/shop.db");
  EXPECT_FALSE(r.readOnly);
  EXPECT_EQ(route("provider=sqlite.3;Database=x.db").target, "x.db");
  EXPECT_EQ(route("Provider=SQLite;Data Source=a.db;Database=b.db").target, "a.db");
}

TEST(ProviderRoute, ModeReadOpensReadOnly) {
  EXPECT_TRUE(route("Provider=SQLite;Data Source=a.db;Mode=Read").readOnly);
  EXPECT_TRUE(route("Provider=SQLite;Data Source=a.db;mode=read").readOnly);
  EXPECT_FALSE(route("Provider=SQLite;Data Source=a.db;Mode=ReadWrite").readOnly);
}

TEST(ProviderRoute, OdbcStringsGoToTheDriverManagerUnchanged) {
  for (std::string s : {"DSN=sales;UID=u;PWD=p;", "FILEDSN=/etc/odbc/sales.dsn", "Driver={PostgreSQL Unicode};Server=h;"}) {
    auto r = route(s);
    EXPECT_EQ(r.kind, ProviderRoute::Kind::Odbc);
    EXPECT_EQ(r.target, s);
  }
}

TEST(ProviderRoute, MsdasqlLosesItsProviderPair) {
  auto r = route("Provider=MSDASQL.1;DSN=sales;UID=u;");
  EXPECT_EQ(r.kind, ProviderRoute::Kind::Odbc);
  EXPECT_EQ(r.target, "DSN=sales;UID=u;");
  EXPECT_EQ(route("Provider=MSDASQL;Driver={SQLite3};Database=x").target, "Driver={SQLite3};Database=x");
}

TEST(ProviderRoute, MsdasqlOleDbKeysBecomeTheirOdbcNames) {
  auto r = route("Provider=MSDASQL.1;Persist Security Info=False;User ID=ann;Password={p;w};Data Source=sales;"
                 "Initial Catalog=shop;Extended Properties=\"DRIVER={X};PORT=5\"");
  EXPECT_EQ(r.target, "UID=ann;PWD={p;w};DSN=sales;DATABASE=shop;DRIVER={X};PORT=5;");
}

TEST(ProviderRoute, OleDbProvidersWithoutCounterpartAreNamedInTheFailure) {
  try {
    route("Provider=SQLOLEDB;Data Source=srv;Initial Catalog=db;");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kProviderNotFound);
    EXPECT_NE(f.description().find("'SQLOLEDB'"), std::string::npos);
    EXPECT_NE(f.description().find("Only SQLite"), std::string::npos);
    EXPECT_NE(f.description().find("ODBC"), std::string::npos);
  }
  EXPECT_THROW(route("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb"), Failure);
  EXPECT_THROW(route("Provider=MSDASQLX;DSN=a"), Failure);
}

}  // namespace
}  // namespace tavrello::db
