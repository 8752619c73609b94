#include "platform/db/sample_database.h"

#include <gtest/gtest.h>

#include "db_test_support.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"

namespace tavrello::db {
namespace {

using tavrello::testing::TempDir;
using namespace tavrello::db::testing;

std::int64_t count(Connection& cn, const std::string& sql) { return cn.Execute(sql)->column(0).int64(0); }

// Every row of the shop's tables as one text, to compare two generations.
std::string everything(Connection& cn) {
  std::string all;
  for (const char* table : {"customers", "products", "orders", "order_items"}) {
    auto rs = cn.Execute(std::string("SELECT * FROM ") + table);
    for (std::size_t row = 0; row < rs->rowCount(); ++row) {
      for (std::size_t c = 0; c < rs->columnCount(); ++c) all += rs->column(c).display(row) + "|";
    }
  }
  return all;
}

class SampleDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    createSampleDatabase(dir_ / "sample.db");
    cn_.Open(nativeString((dir_ / "sample.db").string()));
  }
  TempDir dir_;
  Connection cn_;
};

TEST_F(SampleDatabase, HoldsAboutTenThousandRowsOfAShop) {
  EXPECT_EQ(count(cn_, "SELECT count(*) FROM customers"), 600);
  EXPECT_EQ(count(cn_, "SELECT count(*) FROM products"), 200);
  EXPECT_EQ(count(cn_, "SELECT count(*) FROM orders"), 2400);
  const std::int64_t total = count(cn_, "SELECT (SELECT count(*) FROM customers) + (SELECT count(*) FROM products) + "
                                        "(SELECT count(*) FROM orders) + (SELECT count(*) FROM order_items)");
  EXPECT_GT(total, 9000);
  EXPECT_LT(total, 12000);
  EXPECT_EQ(count(cn_, "SELECT count(*) FROM order_totals"), 2400);
  EXPECT_EQ(count(cn_, "SELECT count(*) FROM customer_sales"), 600);
}

TEST_F(SampleDatabase, HasTextInSeveralScriptsAndNulls) {
  auto rs = cn_.Execute("SELECT name FROM customers");
  bool greek = false, cyrillic = false, cjk = false, accented = false;
  for (std::size_t row = 0; row < rs->rowCount(); ++row) {
    const std::string_view name = rs->column(0).text(row);
    greek |= name.find("Ι") != std::string_view::npos || name.find("Ν") != std::string_view::npos ||
             name.find("Ε") != std::string_view::npos || name.find("Γ") != std::string_view::npos;
    cyrillic |= name.find("Д") != std::string_view::npos || name.find("О") != std::string_view::npos ||
                name.find("С") != std::string_view::npos || name.find("Н") != std::string_view::npos;
    cjk |= name.find("山田") != std::string_view::npos || name.find("王") != std::string_view::npos ||
           name.find("김") != std::string_view::npos || name.find("佐藤") != std::string_view::npos;
    accented |= name.find("é") != std::string_view::npos || name.find("ü") != std::string_view::npos ||
                name.find("Ł") != std::string_view::npos || name.find("ñ") != std::string_view::npos;
  }
  EXPECT_TRUE(greek && cyrillic && cjk && accented);
  EXPECT_GT(count(cn_, "SELECT count(*) FROM customers WHERE phone IS NULL"), 0);
  EXPECT_GT(count(cn_, "SELECT count(*) FROM orders WHERE shipped_on IS NULL"), 0);
  EXPECT_GT(count(cn_, "SELECT count(*) FROM order_items WHERE discount IS NULL"), 0);
}

TEST_F(SampleDatabase, ColumnsArriveWithTheirTypes) {
  auto rs = cn_.Execute("SELECT joined, vip FROM customers; ");
  EXPECT_EQ(rs->column(0).type(), DataType::Date);
  EXPECT_EQ(rs->column(1).type(), DataType::Boolean);
  rs = cn_.Execute("SELECT unit_price FROM products");
  EXPECT_EQ(rs->column(0).type(), DataType::Decimal);
  rs = cn_.Execute("SELECT ordered_at, shipped_on FROM orders");
  EXPECT_EQ(rs->column(0).type(), DataType::DateTime);
  EXPECT_EQ(rs->column(1).type(), DataType::Date);
  auto views = catalog::views(cn_);
  ASSERT_EQ(views.size(), 2u);
  EXPECT_EQ(views[0].name, "customer_sales");
  EXPECT_EQ(views[1].name, "order_totals");
}

TEST_F(SampleDatabase, IsTheSameOnEveryGeneration) {
  createSampleDatabase(dir_ / "again.db");
  Connection again;
  again.Open(nativeString((dir_ / "again.db").string()));
  EXPECT_EQ(everything(cn_), everything(again));
}

TEST_F(SampleDatabase, NeverOverwritesAnExistingFile) {
  tavrello::testing::writeFile(dir_ / "mine.db", "precious");
  try {
    createSampleDatabase(dir_ / "mine.db");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 58);
    EXPECT_NE(f.description().find("mine.db"), std::string::npos);
  }
  EXPECT_EQ(tavrello::testing::readFile(dir_ / "mine.db"), "precious");
}

TEST(SampleDatabaseFailure, FolderThatDoesNotExistLeavesNothingBehind) {
  TempDir dir;
  EXPECT_THROW(createSampleDatabase(dir / "no" / "such" / "sample.db"), Failure);
  EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

}  // namespace
}  // namespace tavrello::db
