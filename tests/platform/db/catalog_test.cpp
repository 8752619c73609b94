#include "platform/db/catalog.h"

#include <gtest/gtest.h>

#include "db_test_support.h"
#include "platform/db/connection.h"
#include "platform/db/db_failure.h"

namespace tavrello::db {
namespace {

using tavrello::testing::TempDir;
using namespace tavrello::db::testing;

void createShop(Connection& cn) {
  cn.Execute(
      "CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(60) NOT NULL, joined DATE);"
      "CREATE TABLE \"order items\" (order_id INTEGER, qty INTEGER, price DECIMAL(10,2));"
      "CREATE TABLE orderXitems (x INTEGER);"
      "CREATE VIEW big_customers AS SELECT id, name FROM customers WHERE id > 10;"
      "CREATE INDEX customers_name ON customers(name)");
}

// The same catalog through the embedded provider and through the SQLite ODBC driver.
class Catalog : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    const std::string file = newSqliteFile(dir_);
    Connection writer;
    writer.Open(nativeString(file));
    createShop(writer);
    cn_.Open(GetParam() ? sqliteOdbcString(file) : nativeString(file));
  }
  TempDir dir_;
  Connection cn_;
};

TEST_P(Catalog, ListsTablesAndViewsSortedWithoutInternalObjects) {
  auto tables = catalog::tables(cn_);
  ASSERT_EQ(tables.size(), 3u);
  EXPECT_EQ(tables[0].name, "customers");
  EXPECT_EQ(tables[1].name, "order items");
  EXPECT_EQ(tables[2].name, "orderXitems");
  EXPECT_EQ(tables[0].kind, ObjectKind::Table);
  auto views = catalog::views(cn_);
  ASSERT_EQ(views.size(), 1u);
  EXPECT_EQ(views[0].name, "big_customers");
  EXPECT_EQ(views[0].kind, ObjectKind::View);
  EXPECT_TRUE(catalog::synonyms(cn_).empty());
}

TEST_P(Catalog, ColumnsOfATableComeInOrderWithTypes) {
  auto columns = catalog::columns(cn_, "", "customers");
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].name, "id");
  EXPECT_EQ(columns[0].type, DataType::Integer);
  EXPECT_EQ(columns[1].name, "name");
  EXPECT_EQ(columns[1].type, DataType::Text);
  EXPECT_FALSE(columns[1].nullable);
  EXPECT_EQ(columns[2].type, DataType::Date);
  EXPECT_TRUE(columns[2].nullable);
}

TEST_P(Catalog, NamesAreTakenLiterallyNotAsPatterns) {
  auto columns = catalog::columns(cn_, "", "order items");
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[2].name, "price");
  EXPECT_EQ(columns[2].type, DataType::Decimal);
  EXPECT_EQ(catalog::columns(cn_, "", "orderXitems").size(), 1u);
  EXPECT_TRUE(catalog::columns(cn_, "", "order_items").empty());
  EXPECT_TRUE(catalog::columns(cn_, "", "nothing").empty());
}

TEST_P(Catalog, ViewColumnsAreListedToo) {
  auto columns = catalog::columns(cn_, "", "big_customers");
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[1].name, "name");
}

TEST_P(Catalog, IdentifiersAreQuotedWithTheDatabasesQuote) {
  EXPECT_EQ(catalog::quoteIdentifier(cn_, "order items"), "\"order items\"");
  EXPECT_EQ(catalog::quoteIdentifier(cn_, "a\"b"), "\"a\"\"b\"");
}

INSTANTIATE_TEST_SUITE_P(Providers, Catalog, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "SqliteOdbc" : "SqliteNative"; });

TEST(CatalogOnAClosedConnection, Fails) {
  Connection cn;
  try {
    catalog::tables(cn);
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kInvalidConnection);
  }
}

}  // namespace
}  // namespace tavrello::db
