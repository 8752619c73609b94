#include "platform/db/orders_generator.h"

#include <cmath>

#include <gtest/gtest.h>

#include "db_test_support.h"
#include "platform/db/connection.h"
#include "platform/db/date_serial.h"

namespace tavrello::db {
namespace {

using tavrello::testing::TempDir;
using namespace tavrello::db::testing;

TEST(OrdersGenerator, RowsAreTheSameEveryTimeAndAboutThirtyPercentOfNotesAreNull) {
  std::vector<std::string> first, second;
  int nulls = 0;
  generateOrders(2000, [&](const OrderRow& o) {
    first.push_back(std::string(o.customerName) + "|" + std::string(o.shippedAt) + "|" + std::to_string(o.amount));
    nulls += o.note ? 0 : 1;
  });
  generateOrders(2000, [&](const OrderRow& o) {
    second.push_back(std::string(o.customerName) + "|" + std::string(o.shippedAt) + "|" + std::to_string(o.amount));
  });
  EXPECT_EQ(first, second);
  EXPECT_GT(nulls, 500);
  EXPECT_LT(nulls, 700);
}

TEST(OrdersGenerator, ValuesAreWellFormed) {
  generateOrders(500, [&](const OrderRow& o) {
    ASSERT_TRUE(parseSerial(o.orderDate, DataType::Date)) << o.orderDate;
    ASSERT_TRUE(parseSerial(o.shippedAt, DataType::DateTime)) << o.shippedAt;
    ASSERT_GE(*parseSerial(o.shippedAt, DataType::DateTime), *parseSerial(o.orderDate, DataType::Date));
    ASSERT_EQ(o.productCode.size(), 7u);
    ASSERT_GT(o.amount, 0);
    ASSERT_DOUBLE_EQ(o.amount * 100, std::round(o.amount * 100));
  });
}

TEST(OrdersGenerator, DatabaseHoldsTheTenColumnsWithTheirTypes) {
  TempDir dir;
  createOrdersDatabase(dir / "orders.db", 1000);
  Connection cn;
  cn.Open(nativeString((dir / "orders.db").string()));
  auto rs = cn.Execute("SELECT * FROM orders");
  EXPECT_EQ(rs->RecordCount(), 1000);
  ASSERT_EQ(rs->fields().Count(), 10);
  const DataType expected[] = {DataType::Integer, DataType::Integer, DataType::Text,    DataType::Text,
                               DataType::Text,    DataType::Double,  DataType::Integer, DataType::Date,
                               DataType::DateTime, DataType::Text};
  for (std::size_t c = 0; c < 10; ++c) EXPECT_EQ(rs->column(c).type(), expected[c]) << rs->column(c).name();
  EXPECT_THROW(createOrdersDatabase(dir / "orders.db", 10), Failure);
}

}  // namespace
}  // namespace tavrello::db
