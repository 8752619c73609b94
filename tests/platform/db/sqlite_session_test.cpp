#include "platform/db/sqlite_session.h"

#include <gtest/gtest.h>

#include "db_test_support.h"
#include "platform/db/connection.h"
#include "platform/db/db_failure.h"
#include "platform/db/sqlite_types.h"
#include "support_lib/test_env.h"

namespace tavrello::db {
namespace {

using tavrello::testing::TempDir;
using tavrello::testing::writeFile;

// An empty file is an empty SQLite database; the provider refuses to create one.
std::string emptyDatabase(const TempDir& dir, const std::string& name = "t.db") {
  writeFile(dir / name, "");
  return "Provider=SQLite;Data Source=" + (dir / name).string() + ";";
}

TEST(SqliteProvider, ATextWithANulOrWithoutAStatementFailsClearly) {
  TempDir dir;
  Connection cn;
  cn.Open(emptyDatabase(dir));
  testing::expectTextsWithoutAStatementFail(cn);
}

// The library stops at a NUL with no statement and the tail where it was.
TEST(SqliteProvider, TheSessionItselfStopsAtANul) {
  TempDir dir;
  writeFile(dir / "t.db", "");
  auto session = openSqliteSession((dir / "t.db").string(), false);
  try {
    session->execute(std::string_view("SELECT 1; \0SELECT 2", 19));
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kCommandError);
    EXPECT_EQ(f.description(), "The statement cannot be read past byte 11.");
  }
}

TEST(SqliteProvider, ReadsEveryTypeWithNulls) {
  TempDir dir;
  Connection cn;
  cn.Open(emptyDatabase(dir));
  cn.Execute(
      "CREATE TABLE t (i INTEGER, r REAL, d DECIMAL(10,2), s TEXT, b BOOLEAN, dt DATE, tm TIME, ts TIMESTAMP, "
      "bin BLOB)");
  cn.Execute(
      "INSERT INTO t VALUES (42, 1.5, 12.25, 'Zoë Ἀθῆναι Москва 東京', 1, '2024-03-05', '13:45:10', "
      "'2024-03-05 13:45:10.250', x'00ff10')");
  cn.Execute("INSERT INTO t VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)");
  auto rs = cn.Execute("SELECT * FROM t");
  ASSERT_EQ(rs->State(), 1);
  EXPECT_EQ(rs->RecordCount(), 2);
  ASSERT_EQ(rs->fields().Count(), 9);
  EXPECT_EQ(rs->column(0).type(), DataType::Integer);
  EXPECT_EQ(rs->column(0).int64(0), 42);
  EXPECT_EQ(rs->column(1).type(), DataType::Double);
  EXPECT_DOUBLE_EQ(rs->column(1).real(0), 1.5);
  EXPECT_EQ(rs->column(2).type(), DataType::Decimal);
  EXPECT_EQ(rs->column(2).text(0), "12.25");
  EXPECT_EQ(rs->column(3).type(), DataType::Text);
  EXPECT_EQ(rs->column(3).text(0), "Zoë Ἀθῆναι Москва 東京");
  EXPECT_EQ(rs->column(4).type(), DataType::Boolean);
  EXPECT_TRUE(rs->column(4).boolean(0));
  EXPECT_EQ(rs->column(5).type(), DataType::Date);
  EXPECT_DOUBLE_EQ(rs->column(5).serial(0), 45356);
  EXPECT_EQ(rs->column(6).type(), DataType::Time);
  EXPECT_EQ(rs->column(6).display(0), "13:45:10");
  EXPECT_EQ(rs->column(7).type(), DataType::DateTime);
  EXPECT_EQ(rs->column(7).display(0), "2024-03-05 13:45:10.250");
  EXPECT_EQ(rs->column(8).type(), DataType::Binary);
  EXPECT_EQ(rs->column(8).display(0), "00ff10");
  for (std::size_t c = 0; c < 9; ++c) {
    EXPECT_FALSE(rs->column(c).isNull(0)) << c;
    EXPECT_TRUE(rs->column(c).isNull(1)) << c;
  }
}

TEST(SqliteProvider, DdlAndDmlReturnAClosedResultSet) {
  TempDir dir;
  Connection cn;
  cn.Open(emptyDatabase(dir));
  auto created = cn.Execute("CREATE TABLE t (x INTEGER)");
  EXPECT_EQ(created->State(), 0);
  EXPECT_EQ(cn.Execute("INSERT INTO t VALUES (1)")->State(), 0);
  auto dropped = cn.Execute("DROP TABLE t");
  try {
    (void)dropped->Eof();
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 3704);
    EXPECT_EQ(f.description(), "Operation is not allowed when the object is closed.");
  }
}

TEST(SqliteProvider, BatchRunsEveryStatementAndReturnsTheFirstResult) {
  TempDir dir;
  Connection cn;
  cn.Open(emptyDatabase(dir));
  auto rs = cn.Execute(
      "-- a comment first\n CREATE TABLE t (x INTEGER); INSERT INTO t VALUES (1), (2);"
      " SELECT x FROM t ORDER BY x; DELETE FROM t WHERE x = 1; SELECT 'second';");
  ASSERT_EQ(rs->State(), 1);
  ASSERT_EQ(rs->RecordCount(), 2);
  EXPECT_EQ(rs->column(0).int64(0), 1);
  EXPECT_EQ(cn.Execute("SELECT count(*) FROM t")->column(0).int64(0), 1);
}

TEST(SqliteProvider, EmptyResultIsAtEofWithItsFields) {
  TempDir dir;
  Connection cn;
  cn.Open(emptyDatabase(dir));
  cn.Execute("CREATE TABLE t (a INTEGER, b TEXT)");
  auto rs = cn.Execute("SELECT * FROM t");
  EXPECT_EQ(rs->State(), 1);
  EXPECT_TRUE(rs->Eof());
  EXPECT_EQ(rs->RecordCount(), 0);
  EXPECT_EQ(rs->fields().Count(), 2);
  EXPECT_EQ(rs->fields().Item(1).Name(), "b");
}

TEST(SqliteProvider, BadStatementCarriesTheLibrarysMessage) {
  TempDir dir;
  Connection cn;
  cn.Open(emptyDatabase(dir));
  try {
    cn.Execute("SELEC 1");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kCommandError);
    EXPECT_EQ(f.description(), "near \"SELEC\": syntax error");
  }
  try {
    cn.Execute("SELECT * FROM missing");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.description(), "no such table: missing");
  }
}

TEST(SqliteProvider, ConstraintViolationIsAnIntegrityFailure) {
  TempDir dir;
  Connection cn;
  cn.Open(emptyDatabase(dir));
  cn.Execute("CREATE TABLE t (x INTEGER PRIMARY KEY)");
  cn.Execute("INSERT INTO t VALUES (1)");
  try {
    cn.Execute("INSERT INTO t VALUES (1)");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kIntegrity);
  }
}

TEST(SqliteProvider, ExpressionColumnsTakeTheTypeOfTheirValues) {
  TempDir dir;
  Connection cn;
  cn.Open(emptyDatabase(dir));
  auto rs = cn.Execute("SELECT 1 + 1 AS n, 'x' || 'y' AS s, 2.5 * 2 AS r, NULL AS empty");
  EXPECT_EQ(rs->column(0).type(), DataType::Integer);
  EXPECT_EQ(rs->column(1).type(), DataType::Text);
  EXPECT_EQ(rs->column(2).type(), DataType::Double);
  EXPECT_EQ(rs->column(3).type(), DataType::Null);
  EXPECT_TRUE(rs->column(3).isNull(0));
}

TEST(SqliteProvider, ValuesThatDoNotFitTheDeclaredTypeWidenTheColumn) {
  TempDir dir;
  Connection cn;
  cn.Open(emptyDatabase(dir));
  cn.Execute("CREATE TABLE t (n INTEGER, d DATE)");
  cn.Execute("INSERT INTO t VALUES (1, '2024-01-01'), ('n/a', 'soon')");
  auto rs = cn.Execute("SELECT * FROM t ORDER BY rowid");
  EXPECT_EQ(rs->column(0).type(), DataType::Text);
  EXPECT_EQ(rs->column(0).text(0), "1");
  EXPECT_EQ(rs->column(0).text(1), "n/a");
  EXPECT_EQ(rs->column(1).type(), DataType::Text);
  EXPECT_EQ(rs->column(1).text(0), "2024-01-01");
  EXPECT_EQ(rs->column(1).text(1), "soon");
}

TEST(SqliteDeclaredType, FollowsTheAffinityRulesAndNamesDates) {
  EXPECT_EQ(sqliteDeclaredType("INTEGER"), DataType::Integer);
  EXPECT_EQ(sqliteDeclaredType("bigint"), DataType::Integer);
  EXPECT_EQ(sqliteDeclaredType("VARCHAR(40)"), DataType::Text);
  EXPECT_EQ(sqliteDeclaredType("NVARCHAR"), DataType::Text);
  EXPECT_EQ(sqliteDeclaredType("CLOB"), DataType::Text);
  EXPECT_EQ(sqliteDeclaredType("BLOB"), DataType::Binary);
  EXPECT_EQ(sqliteDeclaredType("DOUBLE PRECISION"), DataType::Double);
  EXPECT_EQ(sqliteDeclaredType("FLOAT"), DataType::Double);
  EXPECT_EQ(sqliteDeclaredType("DECIMAL(10,2)"), DataType::Decimal);
  EXPECT_EQ(sqliteDeclaredType("NUMERIC"), DataType::Decimal);
  EXPECT_EQ(sqliteDeclaredType("BOOLEAN"), DataType::Boolean);
  EXPECT_EQ(sqliteDeclaredType("DATE"), DataType::Date);
  EXPECT_EQ(sqliteDeclaredType("TIME"), DataType::Time);
  EXPECT_EQ(sqliteDeclaredType("DATETIME"), DataType::DateTime);
  EXPECT_EQ(sqliteDeclaredType("TIMESTAMP"), DataType::DateTime);
  EXPECT_EQ(sqliteDeclaredType(""), DataType::Null);
  EXPECT_EQ(sqliteDeclaredType("MONEY"), DataType::Null);
}

}  // namespace
}  // namespace tavrello::db
