#include "platform/builder/query_builder.h"

#include <gtest/gtest.h>

#include "platform/builder/shop_database.h"

namespace tavrello::builder {
namespace {

struct EventCounter {
  explicit EventCounter(QueryBuilder& builder) {
    builder.OnSQLChanged.connect([this] { ++changes; });
  }
  int changes = 0;
};

TEST(QueryBuilder, WritingSqlRaisesOneChangeAndReadsBackInTheBuildersLayout) {
  QueryBuilder builder;
  EventCounter events(builder);
  builder.SQL("select  a,b from t where a=1");
  EXPECT_EQ(events.changes, 1);
  EXPECT_EQ(builder.FormattedSQL(), "SELECT a, b FROM t WHERE a = 1");
  builder.SQL("");
  EXPECT_EQ(events.changes, 2);
  EXPECT_EQ(builder.FormattedSQL(), "");
}

TEST(QueryBuilder, RejectedSqlRaisesNothingAndKeepsTheStatement) {
  QueryBuilder builder;
  builder.SQL("SELECT a FROM t");
  EventCounter events(builder);
  try {
    builder.SQL("SELECT a FROM t WHERE (a = 1");
    FAIL() << "accepted";
  } catch (const Failure& f) {
    EXPECT_NE(f.description().find("line 1, column 23"), std::string::npos) << f.description();
  }
  EXPECT_THROW(builder.SQL("DELETE FROM t"), Failure);
  EXPECT_EQ(events.changes, 0);
  EXPECT_EQ(builder.FormattedSQL(), "SELECT a FROM t");
}

TEST(QueryBuilder, ResetQueryAndDisconnectAreHarmlessOnANeverConnectedBuilder) {
  QueryBuilder builder;
  EventCounter events(builder);
  builder.QueryObject().ResetQuery();
  builder.Disconnect();
  builder.Disconnect();
  EXPECT_FALSE(builder.Connected());
  EXPECT_EQ(events.changes, 0);
  EXPECT_EQ(builder.FormattedSQL(), "");
}

TEST(QueryBuilder, ResetQueryEmptiesTheStatementOnce) {
  QueryBuilder builder;
  builder.SQL("SELECT 1");
  EventCounter events(builder);
  builder.QueryObject().ResetQuery();
  builder.QueryObject().ResetQuery();
  EXPECT_EQ(events.changes, 1);
  EXPECT_EQ(builder.FormattedSQL(), "");
}

TEST(QueryBuilder, ConnectWithAWrongConnectionStringFailsAndStaysDisconnected) {
  testing::TempDir dir;
  QueryBuilder builder;
  builder.ConnectionString("Provider=SQLite;Data Source=" + (dir / "missing.db").string());
  EXPECT_THROW(builder.Connect(), Failure);
  EXPECT_FALSE(builder.Connected());
  EXPECT_TRUE(builder.catalog().empty());

  builder.ConnectionString("Provider=NoSuchProvider;Data Source=x");
  try {
    builder.Connect();
    FAIL() << "connected";
  } catch (const Failure& f) {
    EXPECT_NE(f.description().find("NoSuchProvider"), std::string::npos) << f.description();
  }
  EXPECT_FALSE(builder.Connected());

  builder.ConnectionString("DSN=tavrello_no_such_dsn");
  EXPECT_THROW(builder.Connect(), Failure);
  EXPECT_FALSE(builder.Connected());
}

TEST(QueryBuilder, ConnectReadsTheCatalogAndDisconnectDropsItButKeepsTheStatement) {
  testing::TempDir dir;
  QueryBuilder builder;
  builder.ConnectionString(testing::createShopDatabase(dir / "shop.db"));
  builder.SQL("SELECT * FROM orders");
  int viewChanges = 0;
  builder.OnViewChanged.connect([&] { ++viewChanges; });
  builder.Connect();
  EXPECT_TRUE(builder.Connected());
  EXPECT_FALSE(builder.catalog().objects(db::ObjectKind::Table).empty());
  EXPECT_EQ(viewChanges, 1);
  // The box of orders now lists the catalog's columns.
  ASSERT_EQ(builder.model().sources.size(), 1u);
  EXPECT_GT(builder.model().sources[0].columns.size(), 5u);
  builder.Disconnect();
  EXPECT_FALSE(builder.Connected());
  EXPECT_TRUE(builder.catalog().empty());
  EXPECT_EQ(builder.FormattedSQL(), "SELECT * FROM orders");
}

TEST(QueryBuilder, ResetReturnsToTheEmptyState) {
  testing::TempDir dir;
  QueryBuilder builder;
  builder.ConnectionString(testing::createShopDatabase(dir / "shop.db"));
  builder.Connect();
  builder.SQL("SELECT * FROM orders");
  EventCounter events(builder);
  builder.Reset();
  EXPECT_EQ(events.changes, 1);
  EXPECT_FALSE(builder.Connected());
  EXPECT_TRUE(builder.catalog().empty());
  EXPECT_EQ(builder.ConnectionString(), "");
  EXPECT_EQ(builder.FormattedSQL(), "");
  EXPECT_TRUE(builder.model().sources.empty());
}

TEST(QueryBuilder, HasConnectedOutlivesDisconnectButNotResetAFailureOrAnotherString) {
  testing::TempDir dir;
  const std::string shop = testing::createShopDatabase(dir / "shop.db");
  QueryBuilder builder;
  builder.ConnectionString(shop);
  EXPECT_FALSE(builder.HasConnected());
  builder.Connect();
  EXPECT_TRUE(builder.HasConnected());
  builder.QueryObject().ResetQuery();
  builder.Disconnect();
  EXPECT_TRUE(builder.HasConnected()) << "the string last connected with stays usable";
  builder.ConnectionString(shop);
  EXPECT_TRUE(builder.HasConnected()) << "the same string again changes nothing";

  builder.Reset();
  EXPECT_FALSE(builder.HasConnected());

  builder.ConnectionString(shop);
  builder.Connect();
  builder.ConnectionString("Provider=SQLite;Data Source=" + (dir / "other.db").string());
  EXPECT_FALSE(builder.HasConnected()) << "not connected with this string";

  builder.ConnectionString(shop);
  builder.Connect();
  builder.ConnectionString("Provider=SQLite;Data Source=" + (dir / "missing" / "x.db").string());
  EXPECT_THROW(builder.Connect(), Failure);
  EXPECT_FALSE(builder.HasConnected());
}

TEST(QueryBuilder, EveryVisualOperationRaisesExactlyOneChange) {
  QueryBuilder builder;
  EventCounter events(builder);
  int expected = 0;
  auto step = [&](const char* what, const std::function<void()>& operation) {
    operation();
    ++expected;
    EXPECT_EQ(events.changes, expected) << what;
  };
  step("add orders", [&] { builder.addDataSource({{"orders", QuoteStyle::None}}); });
  step("add customers", [&] { builder.addDataSource({{"customers", QuoteStyle::None}}); });
  step("tick", [&] { builder.setColumnChecked(0, "order_id", true); });
  step("tick again", [&] { builder.setColumnChecked(1, "name", true); });
  step("join", [&] { builder.joinSources(0, "customer_id", 1, "customer_id"); });
  step("join type", [&] { builder.setJoinType(0, JoinType::Left); });
  step("alias", [&] { builder.setAlias(1, "customer"); });
  step("sort", [&] { builder.setSort(1, SortType::Descending); });
  step("criteria", [&] { builder.setCriteria(0, "> 10"); });
  step("aggregate", [&] { builder.setAggregate(0, "COUNT"); });
  step("distinct", [&] { builder.setDistinct(true); });
  step("untick", [&] { builder.setColumnChecked(1, "name", false); });
  step("remove join", [&] { builder.removeJoin(0); });
  step("remove source", [&] { builder.removeDataSource(1); });
}

TEST(QueryBuilder, AFailedOperationChangesNothingAndRaisesNothing) {
  QueryBuilder builder;
  builder.SQL("SELECT o.id FROM orders AS o");
  EventCounter events(builder);
  std::string before = builder.FormattedSQL();
  EXPECT_THROW(builder.setCriteria(0, "> > 1"), Failure);
  EXPECT_THROW(builder.removeDataSource(5), Failure);
  EXPECT_THROW(builder.joinSources(0, "id", 0, "id"), Failure);
  EXPECT_THROW(builder.setAggregate(0, "MEDIAN"), Failure);
  EXPECT_EQ(events.changes, 0);
  EXPECT_EQ(builder.FormattedSQL(), before);
}

TEST(QueryBuilder, ExpressionEditRequestAppliesWhatTheHandlerWritesBack) {
  QueryBuilder builder;
  builder.SQL("SELECT o.total AS amount FROM orders AS o");
  EventCounter events(builder);
  std::string seen;
  builder.ExpressionEditRequest.connect([&](Expression& e) {
    seen = e.ExpressionText();
    e.ExpressionText("o.total * 1.2");
  });
  builder.requestExpressionEdit(0);
  EXPECT_EQ(seen, "o.total");
  EXPECT_EQ(events.changes, 1);
  EXPECT_EQ(builder.FormattedSQL(), "SELECT o.total * 1.2 AS amount FROM orders AS o");
}

TEST(QueryBuilder, ExpressionEditRequestLeftUnchangedRaisesNothing) {
  QueryBuilder builder;
  builder.SQL("SELECT a, b FROM t");
  EventCounter events(builder);
  builder.ExpressionEditRequest.connect([](Expression& e) { e.ExpressionText(e.ExpressionText()); });
  builder.requestExpressionEdit(1);
  EXPECT_EQ(events.changes, 0);
  EXPECT_EQ(builder.FormattedSQL(), "SELECT a, b FROM t");
}

TEST(QueryBuilder, ExpressionEmptiedByTheHandlerRemovesTheColumn) {
  QueryBuilder builder;
  builder.SQL("SELECT a, b FROM t ORDER BY b");
  builder.ExpressionEditRequest.connect([](Expression& e) { e.ExpressionText(""); });
  builder.requestExpressionEdit(1);
  EXPECT_EQ(builder.FormattedSQL(), "SELECT a FROM t");
}

TEST(QueryBuilder, ExpressionWrittenBackMalformedIsRefusedWithoutChange) {
  QueryBuilder builder;
  builder.SQL("SELECT a FROM t");
  EventCounter events(builder);
  builder.ExpressionEditRequest.connect([](Expression& e) { e.ExpressionText("a +"); });
  EXPECT_THROW(builder.requestExpressionEdit(0), Failure);
  EXPECT_EQ(events.changes, 0);
  EXPECT_EQ(builder.FormattedSQL(), "SELECT a FROM t");
}

}  // namespace
}  // namespace tavrello::builder
