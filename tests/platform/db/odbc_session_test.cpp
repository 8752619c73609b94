#include "platform/db/odbc_session.h"

#include <gtest/gtest.h>

#include "db_test_support.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"
#include "platform/db/db_failure.h"

namespace tavrello::db {
namespace {

using tavrello::testing::TempDir;
using namespace tavrello::db::testing;

// Drops a PostgreSQL table when the test ends, whatever happens.
class DropOnExit {
 public:
  DropOnExit(Connection& cn, std::string table) : cn_(cn), table_(std::move(table)) {}
  ~DropOnExit() {
    try {
      cn_.Execute("DROP TABLE IF EXISTS " + table_);
    } catch (const Failure&) {
    }
  }

 private:
  Connection& cn_;
  std::string table_;
};

TEST(SqliteOdbc, ReadsTypesAndNonAsciiTextThroughTheDriver) {
  TempDir dir;
  const std::string file = newSqliteFile(dir);
  Connection cn;
  cn.Open(sqliteOdbcString(file));
  ASSERT_EQ(cn.State(), 1);
  cn.Execute("CREATE TABLE t (i INTEGER, r REAL, s TEXT, v VARCHAR(5), d DATE, ts TIMESTAMP, b BLOB)");
  cn.Execute(
      "INSERT INTO t VALUES (7, 2.25, 'Ελληνικά русский 中文 ñ', 'much longer than five', '2023-12-31', "
      "'2023-12-31 23:59:58', x'0102')");
  cn.Execute("INSERT INTO t VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL)");
  auto rs = cn.Execute("SELECT * FROM t ORDER BY i DESC");
  ASSERT_EQ(rs->RecordCount(), 2);
  EXPECT_EQ(rs->column(0).type(), DataType::Integer);
  EXPECT_EQ(rs->column(0).int64(0), 7);
  EXPECT_DOUBLE_EQ(rs->column(1).real(0), 2.25);
  EXPECT_EQ(rs->column(2).text(0), "Ελληνικά русский 中文 ñ");
  // SQLite keeps values longer than the declared size; the driver's size is no limit.
  EXPECT_EQ(rs->column(3).text(0), "much longer than five");
  EXPECT_EQ(rs->column(4).display(0), "2023-12-31");
  EXPECT_EQ(rs->column(5).display(0), "2023-12-31 23:59:58");
  EXPECT_EQ(rs->column(6).display(0), "0102");
  for (std::size_t c = 0; c < 7; ++c) EXPECT_TRUE(rs->column(c).isNull(1)) << c;
}

TEST(SqliteOdbc, LongTextArrivesWhole) {
  TempDir dir;
  Connection cn;
  cn.Open(sqliteOdbcString(newSqliteFile(dir)));
  cn.Execute("CREATE TABLE t (s TEXT)");
  cn.Execute("INSERT INTO t VALUES (replace(hex(zeroblob(100000)), '0', 'ж'))");
  auto rs = cn.Execute("SELECT s FROM t");
  ASSERT_EQ(rs->RecordCount(), 1);
  EXPECT_EQ(rs->column(0).text(0).size(), 200000u * 2);
}

TEST(SqliteOdbc, BadStatementCarriesTheDriversMessage) {
  TempDir dir;
  Connection cn;
  cn.Open(sqliteOdbcString(newSqliteFile(dir)));
  try {
    cn.Execute("SELECT * FROM no_such_table");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_NE(f.description().find("no such table"), std::string::npos) << f.description();
    EXPECT_EQ(f.description().rfind("[", 0), 0u) << f.description();
  }
}

TEST(SqliteOdbc, ATextWithANulOrWithoutAStatementFailsClearly) {
  TempDir dir;
  Connection cn;
  cn.Open(sqliteOdbcString(newSqliteFile(dir)));
  expectTextsWithoutAStatementFail(cn);
}

TEST(SqliteOdbc, MsdasqlAndFileDsnStringsReachTheDriver) {
  TempDir dir;
  const std::string file = newSqliteFile(dir);
  {
    Connection writer;
    writer.Open(nativeString(file));
    writer.Execute("CREATE TABLE t (x TEXT); INSERT INTO t VALUES ('reached')");
  }
  Connection viaProvider;
  viaProvider.Open("Provider=MSDASQL.1;Driver=SQLite3;Database=" + file + ";");
  EXPECT_EQ(viaProvider.Execute("SELECT x FROM t")->column(0).text(0), "reached");
  tavrello::testing::writeFile(dir / "shop.dsn", "[ODBC]\nDRIVER=SQLite3\nDatabase=" + file + "\n");
  Connection viaFileDsn;
  viaFileDsn.Open("FILEDSN=" + (dir / "shop.dsn").string() + ";");
  EXPECT_EQ(viaFileDsn.Execute("SELECT x FROM t")->column(0).text(0), "reached");
}

TEST(Odbc, UnknownDataSourceNamesTheDriverManagersComplaint) {
  Connection cn;
  try {
    cn.Open("DSN=tavrello_no_such_dsn;UID=x;PWD=sekr3tpass");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kProviderError);
    EXPECT_NE(f.description().find("IM002"), std::string::npos) << f.description();
    EXPECT_EQ(f.description().find("sekr3tpass"), std::string::npos);
  }
  EXPECT_EQ(cn.State(), 0);
}

TEST(Postgres, EveryTypeRoundTripsWithNulls) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection cn;
  cn.Open(cs);
  const std::string table = uniqueName("tav_types");
  DropOnExit drop(cn, table);
  cn.Execute("CREATE TABLE " + table +
             " (i bigint, n numeric(12,2), big numeric, f double precision, s text, v varchar(10), b boolean, "
             "d date, t time, ts timestamp, bin bytea)");
  cn.Execute("INSERT INTO " + table +
             " VALUES (-9007199254740993, 1234.50, 123456789012345678901234567890.123456789, 0.1, "
             "'Zoë Ἀθῆναι Москва 東京 😀', 'κόσμε', true, '1999-12-31', '23:59:59', "
             "'2024-02-29 12:30:15.5', '\\x00ff7f')");
  cn.Execute("INSERT INTO " + table + " VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)");
  auto rs = cn.Execute("SELECT * FROM " + table + " ORDER BY i NULLS LAST");
  ASSERT_EQ(rs->RecordCount(), 2);
  ASSERT_EQ(rs->fields().Count(), 11);
  EXPECT_EQ(rs->fields().Item(0).Name(), "i");
  EXPECT_EQ(rs->column(0).type(), DataType::Integer);
  EXPECT_EQ(rs->column(0).int64(0), -9007199254740993LL);
  EXPECT_EQ(rs->column(1).type(), DataType::Decimal);
  EXPECT_EQ(rs->column(1).text(0), "1234.50");
  EXPECT_DOUBLE_EQ(rs->column(1).real(0), 1234.5);
  EXPECT_EQ(rs->column(2).text(0), "123456789012345678901234567890.123456789");
  EXPECT_EQ(rs->column(3).type(), DataType::Double);
  EXPECT_DOUBLE_EQ(rs->column(3).real(0), 0.1);
  EXPECT_EQ(rs->column(4).text(0), "Zoë Ἀθῆναι Москва 東京 😀");
  EXPECT_EQ(rs->column(5).text(0), "κόσμε");
  EXPECT_EQ(rs->column(6).type(), DataType::Boolean);
  EXPECT_TRUE(rs->column(6).boolean(0));
  EXPECT_EQ(rs->column(7).type(), DataType::Date);
  EXPECT_EQ(rs->column(7).display(0), "1999-12-31");
  EXPECT_EQ(rs->column(8).type(), DataType::Time);
  EXPECT_EQ(rs->column(8).display(0), "23:59:59");
  EXPECT_EQ(rs->column(9).type(), DataType::DateTime);
  EXPECT_EQ(rs->column(9).display(0), "2024-02-29 12:30:15.500");
  EXPECT_EQ(rs->column(10).type(), DataType::Binary);
  EXPECT_EQ(rs->column(10).display(0), "00ff7f");
  for (std::size_t c = 0; c < 11; ++c) EXPECT_TRUE(rs->column(c).isNull(1)) << c;
}

TEST(Postgres, ManyRowsArriveInOrderAcrossFetchBlocks) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection cn;
  cn.Open(cs);
  auto rs = cn.Execute(
      "SELECT g AS id, repeat('x', g % 300) AS s, g * 0.01 AS amount FROM generate_series(1, 5000) AS g ORDER BY g");
  ASSERT_EQ(rs->RecordCount(), 5000);
  for (std::size_t row = 0; row < 5000; ++row) {
    ASSERT_EQ(rs->column(0).int64(row), static_cast<std::int64_t>(row + 1));
    ASSERT_EQ(rs->column(1).text(row).size(), (row + 1) % 300);
  }
  EXPECT_EQ(rs->column(2).text(4999), "50.00");
}

TEST(Postgres, EmptyResultIsAtEofAtOnce) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection cn;
  cn.Open(cs);
  auto rs = cn.Execute("SELECT 1 AS one WHERE false");
  EXPECT_EQ(rs->State(), 1);
  EXPECT_TRUE(rs->Eof());
  EXPECT_EQ(rs->RecordCount(), 0);
  EXPECT_EQ(rs->fields().Count(), 1);
}

TEST(Postgres, DdlReturnsAClosedResultSet) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection cn;
  cn.Open(cs);
  const std::string table = uniqueName("tav_ddl");
  DropOnExit drop(cn, table);
  cn.Execute("CREATE TABLE " + table + " (x int)");
  auto rs = cn.Execute("DROP TABLE " + table);
  EXPECT_EQ(rs->State(), 0);
  try {
    (void)rs->Eof();
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kObjectClosed);
    EXPECT_EQ(f.description(), "Operation is not allowed when the object is closed.");
  }
}

TEST(Postgres, ATextWithANulOrWithoutAStatementFailsClearly) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection cn;
  cn.Open(cs);
  expectTextsWithoutAStatementFail(cn);
}

TEST(Postgres, BadSqlCarriesTheServersMessage) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection cn;
  cn.Open(cs);
  try {
    cn.Execute("SELEC 1");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kCommandError);
    EXPECT_NE(f.description().find("[42601]"), std::string::npos) << f.description();
    EXPECT_NE(f.description().find("syntax error"), std::string::npos) << f.description();
  }
}

TEST(Postgres, WrongPasswordFailsClearlyWithoutThePassword) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  const std::string wrong = "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=5432;Database=tavrello_test;"
                            "Uid=tavrello;Pwd={wr0ng;pass}};word};";
  Connection cn;
  try {
    cn.Open(wrong);
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_NE(f.description().find("password authentication failed"), std::string::npos) << f.description();
    EXPECT_EQ(f.description().find("wr0ng"), std::string::npos) << f.description();
  }
  EXPECT_EQ(cn.State(), 0);
}

TEST(Postgres, UnreachableServerFailsClearlyWithoutThePassword) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection cn;
  try {
    cn.Open("Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=1;Database=x;Uid=u;Pwd=hunter2hunter2;");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kProviderError);
    EXPECT_NE(f.description().find("connect"), std::string::npos) << f.description();
    EXPECT_EQ(f.description().find("hunter2"), std::string::npos) << f.description();
  }
}

TEST(Postgres, CatalogListsTablesViewsAndColumns) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection cn;
  cn.Open(cs);
  const std::string table = uniqueName("tav_cat");
  DropOnExit drop(cn, table);
  DropOnExit dropView(cn, table + "_v CASCADE");
  cn.Execute("CREATE TABLE " + table + " (id integer NOT NULL, label varchar(20), price numeric(8,2))");
  cn.Execute("CREATE VIEW " + table + "_v AS SELECT id FROM " + table);
  auto tables = catalog::tables(cn);
  auto found = std::find_if(tables.begin(), tables.end(), [&](const CatalogObject& o) { return o.name == table; });
  ASSERT_NE(found, tables.end());
  EXPECT_EQ(found->schema, "public");
  auto views = catalog::views(cn);
  EXPECT_TRUE(std::any_of(views.begin(), views.end(), [&](const CatalogObject& o) { return o.name == table + "_v"; }));
  auto columns = catalog::columns(cn, "public", table);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].name, "id");
  EXPECT_EQ(columns[0].type, DataType::Integer);
  EXPECT_FALSE(columns[0].nullable);
  EXPECT_EQ(columns[1].type, DataType::Text);
  EXPECT_EQ(columns[2].type, DataType::Decimal);
  EXPECT_EQ(catalog::quoteIdentifier(cn, "a\"b"), "\"a\"\"b\"");
}

TEST(Postgres, CatalogListsProcedures) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection cn;
  cn.Open(cs);
  const std::string function = uniqueName("tav_fn");
  cn.Execute("CREATE FUNCTION " + function + "(x integer) RETURNS integer LANGUAGE sql AS 'SELECT x + 1'");
  auto procedures = catalog::procedures(cn);
  cn.Execute("DROP FUNCTION " + function + "(integer)");
  EXPECT_TRUE(std::any_of(procedures.begin(), procedures.end(),
                          [&](const CatalogObject& o) { return o.name == function && o.schema == "public"; }));
}

}  // namespace
}  // namespace tavrello::db
