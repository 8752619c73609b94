#include "platform/db/sqlite_session.h"

#include <gtest/gtest.h>

#include "platform/db/connection.h"
#include "platform/db/db_failure.h"
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

}  // namespace
}  // namespace tavrello::db
