#include "platform/db/odbc_reader.h"

#include <sqlext.h>

#include <gtest/gtest.h>

#include "db_test_support.h"
#include "platform/db/odbc_handles.h"
#include "platform/db/odbc_text.h"

namespace tavrello::db {
namespace {

using tavrello::testing::TempDir;
using namespace tavrello::db::testing;

// A statement on the SQLite ODBC driver, executed, for reading in a chosen mode.
class ReaderOnSqliteDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string file = newSqliteFile(dir_);
    Connection writer;
    writer.Open(nativeString(file));
    writer.Execute(
        "CREATE TABLE t (id INTEGER, short VARCHAR(4), body TEXT, d DATE);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO t SELECT i, 'abcdefgh', substr(replace(hex(zeroblob(400)), '0', 'é'), 1, i % 700), "
        "CASE WHEN i % 7 = 0 THEN NULL ELSE date('2020-01-01', '+' || i || ' days') END FROM n");
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, env_.out())));
    SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env_.get(), dbc_.out())));
    std::string cs = sqliteOdbcString(file);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLDriverConnect(dbc_.get(), nullptr, reinterpret_cast<SQLCHAR*>(cs.data()), SQL_NTS,
                                               nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT)));
    dbc_.markConnected();
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc_.get(), stmt_.out())));
  }

  std::vector<Column> read(const char* sql, OdbcReadMode mode) {
    std::string text = sql;
    EXPECT_TRUE(SQL_SUCCEEDED(SQLExecDirect(stmt_.get(), reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS)));
    auto columns = readOdbcResult(stmt_.get(), mode, {});
    SQLCloseCursor(stmt_.get());
    return columns;
  }

  void expectAllRows(const std::vector<Column>& c) {
    ASSERT_EQ(c.size(), 4u);
    ASSERT_EQ(c[0].size(), 3000u);
    for (std::size_t row = 0; row < 3000; ++row) {
      const std::size_t i = row + 1;
      ASSERT_EQ(c[0].int64(row), static_cast<std::int64_t>(i));
      ASSERT_EQ(c[1].text(row), "abcdefgh");
      ASSERT_EQ(c[2].text(row).size(), (i % 700) * 2) << row;
      ASSERT_EQ(c[3].isNull(row), i % 7 == 0);
    }
  }

  TempDir dir_;
  OdbcEnvironment env_;
  OdbcConnectionHandle dbc_;
  OdbcStatement stmt_;
};

TEST_F(ReaderOnSqliteDriver, RowModeFetchesValuesLongerThanTheirDeclaredSizeAgain) {
  OdbcReadMode mode;
  mode.boundGetData = true;
  mode.wideText = false;
  expectAllRows(read("SELECT * FROM t ORDER BY id", mode));
}

TEST_F(ReaderOnSqliteDriver, UnboundModeReadsEveryValueWithGetData) {
  OdbcReadMode mode;
  mode.wideText = false;
  expectAllRows(read("SELECT * FROM t ORDER BY id", mode));
}

TEST_F(ReaderOnSqliteDriver, FixedWidthColumnsAreFetchedInBlocks) {
  OdbcReadMode mode;
  mode.wideText = false;
  auto c = read("SELECT id, d FROM t ORDER BY id", mode);
  ASSERT_EQ(c[0].size(), 3000u);
  EXPECT_EQ(c[0].int64(2999), 3000);
  EXPECT_EQ(c[1].type(), DataType::Date);
  EXPECT_EQ(c[1].display(0), "2020-01-02");
  EXPECT_TRUE(c[1].isNull(6));
}

TEST(OdbcDataType, TypesAndTypeNamesMapToResultTypes) {
  EXPECT_EQ(odbcDataType(SQL_BIGINT, "int8"), DataType::Integer);
  EXPECT_EQ(odbcDataType(SQL_SMALLINT, ""), DataType::Integer);
  EXPECT_EQ(odbcDataType(SQL_FLOAT, ""), DataType::Double);
  EXPECT_EQ(odbcDataType(SQL_NUMERIC, "numeric"), DataType::Decimal);
  EXPECT_EQ(odbcDataType(SQL_VARCHAR, "DECIMAL(10,2)"), DataType::Decimal);
  EXPECT_EQ(odbcDataType(SQL_VARCHAR, "bool"), DataType::Boolean);
  EXPECT_EQ(odbcDataType(SQL_BIT, ""), DataType::Boolean);
  EXPECT_EQ(odbcDataType(SQL_WVARCHAR, "varchar"), DataType::Text);
  EXPECT_EQ(odbcDataType(SQL_TYPE_TIMESTAMP, ""), DataType::DateTime);
  EXPECT_EQ(odbcDataType(SQL_LONGVARBINARY, "bytea"), DataType::Binary);
  EXPECT_EQ(odbcDataType(SQL_GUID, "uuid"), DataType::Text);
  EXPECT_EQ(odbcDataType(-150, "sql_variant"), DataType::Text);
}

}  // namespace
}  // namespace tavrello::db
