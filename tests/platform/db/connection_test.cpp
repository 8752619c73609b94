#include "platform/db/connection.h"

#include <gtest/gtest.h>

#include "db_test_support.h"
#include "platform/db/db_failure.h"
#include "support_lib/failure_number.h"

namespace tavrello::db {
namespace {

using tavrello::testing::failureNumber;
using tavrello::testing::TempDir;
using namespace tavrello::db::testing;

TEST(Connection, IsCreatedClosedAndOpensAndClosesAgain) {
  TempDir dir;
  const std::string cs = nativeString(newSqliteFile(dir));
  Connection cn;
  EXPECT_EQ(cn.State(), 0);
  EXPECT_EQ(cn.CursorLocation(), 2);
  cn.Open(cs);
  EXPECT_EQ(cn.State(), 1);
  EXPECT_EQ(cn.ConnectionString(), cs);
  EXPECT_EQ(failureNumber([&] { cn.Open(cs); }), failure_number::kObjectOpen);
  cn.Close();
  EXPECT_EQ(cn.State(), 0);
  EXPECT_EQ(failureNumber([&] { cn.Close(); }), failure_number::kObjectClosed);
  cn.Open(cs);
  EXPECT_EQ(cn.State(), 1);
}

TEST(Connection, ExecuteOnAClosedConnectionFails) {
  Connection cn;
  EXPECT_EQ(failureNumber([&] { cn.Execute("SELECT 1"); }), failure_number::kInvalidConnection);
}

TEST(Connection, CursorLocationKeepsTheOriginalValues) {
  Connection cn;
  cn.CursorLocation(3);
  EXPECT_EQ(cn.CursorLocation(), 3);
  EXPECT_EQ(failureNumber([&] { cn.CursorLocation(4); }), failure_number::kArguments);
  EXPECT_EQ(cn.CursorLocation(), 3);
}

TEST(Connection, MissingDatabaseFileIsAnErrorAndIsNotCreated) {
  TempDir dir;
  Connection cn;
  const auto missing = dir / "missing.db";
  try {
    cn.Open("Provider=SQLite;Data Source=" + missing.string());
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kProviderError);
    EXPECT_NE(f.description().find("does not exist"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(cn.State(), 0);
  EXPECT_THROW(cn.Open("Provider=SQLite;"), Failure);
  EXPECT_THROW(cn.Open("Provider=SQLite;Data Source=" + dir.path().string()), Failure);
}

TEST(Connection, FileThatIsNoDatabaseFailsAtOpen) {
  TempDir dir;
  tavrello::testing::writeFile(dir / "notes.txt", std::string(2048, 'x'));
  Connection cn;
  try {
    cn.Open("Provider=SQLite;Data Source=" + (dir / "notes.txt").string());
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_NE(f.description().find("not a database"), std::string::npos) << f.description();
  }
}

TEST(Connection, ReadOnlyModeRefusesWrites) {
  TempDir dir;
  const std::string file = newSqliteFile(dir);
  {
    Connection writer;
    writer.Open(nativeString(file));
    writer.Execute("CREATE TABLE t (x)");
  }
  Connection cn;
  cn.Open("Provider=SQLite;Data Source=" + file + ";Mode=Read");
  EXPECT_EQ(cn.Execute("SELECT count(*) FROM t")->column(0).int64(0), 0);
  EXPECT_EQ(failureNumber([&] { cn.Execute("INSERT INTO t VALUES (1)"); }), failure_number::kReadOnly);
}

TEST(Connection, MalformedStringFailsWithoutOpening) {
  Connection cn;
  EXPECT_EQ(failureNumber([&] { cn.Open("Provider=SQLite;Data Source={x.db"); }), failure_number::kArguments);
  EXPECT_EQ(cn.State(), 0);
}

TEST(Connection, UnknownOleDbProviderIsRefused) {
  Connection cn;
  EXPECT_EQ(failureNumber([&] { cn.Open("Provider=SQLOLEDB;Data Source=srv;Initial Catalog=db;"); }),
            failure_number::kProviderNotFound);
}

TEST(Connection, ReleasingAnOpenConnectionClosesIt) {
  TempDir dir;
  const std::string file = newSqliteFile(dir);
  {
    Connection cn;
    cn.Open(nativeString(file));
    cn.Execute("CREATE TABLE t (x); BEGIN EXCLUSIVE; INSERT INTO t VALUES (1)");
  }
  // The exclusive lock went with the released connection: another one can write.
  Connection other;
  other.Open(nativeString(file));
  other.Execute("INSERT INTO t VALUES (2)");
  EXPECT_EQ(other.Execute("SELECT count(*) FROM t")->column(0).int64(0), 1);
}

TEST(Connection, ResultSetsStayReadableAfterTheConnectionCloses) {
  TempDir dir;
  Connection cn;
  cn.Open(nativeString(newSqliteFile(dir)));
  auto rs = cn.Execute("SELECT 'kept' AS x");
  cn.Close();
  EXPECT_EQ(rs->column(0).text(0), "kept");
}

TEST(Connection, PasswordNeverAppearsInAFailure) {
  TempDir dir;
  Connection cn;
  try {
    cn.Open("Provider=SQLite;Password=Sup3rSecret;Data Source=" + (dir / "Sup3rSecret.db").string());
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.description().find("Sup3rSecret"), std::string::npos) << f.description();
  }
}

}  // namespace
}  // namespace tavrello::db
