// The visual operations, checked by the statement they leave behind.

#include <gtest/gtest.h>

#include "platform/builder/query_builder.h"

namespace tavrello::builder {
namespace {

Name table(const char* name) { return {Identifier{name, QuoteStyle::None}}; }

TEST(VisualOperations, AddingTablesBuildsSelectStarAndAliasesADuplicate) {
  QueryBuilder b;
  b.addDataSource(table("orders"));
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM orders");
  b.addDataSource(table("orders"));
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM orders, orders AS orders1");
  b.addDataSource({Identifier{"Order Details", QuoteStyle::Bracket}});
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM orders, orders AS orders1, [Order Details]");
}

TEST(VisualOperations, TickingColumnsReplacesTheStarAndUntickingTheLastBringsItBack) {
  QueryBuilder b;
  b.addDataSource(table("orders"));
  b.setColumnChecked(0, "order_id", true);
  b.setColumnChecked(0, "Order Date", true);
  EXPECT_EQ(b.FormattedSQL(), "SELECT orders.order_id, orders.\"Order Date\" FROM orders");
  EXPECT_TRUE(b.model().sources[0].columns.size() >= 3);
  b.setColumnChecked(0, "order_id", true);  // already there
  EXPECT_EQ(b.model().rows.size(), 2u);
  b.setColumnChecked(0, "order_id", false);
  b.setColumnChecked(0, "Order Date", false);
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM orders");
}

TEST(VisualOperations, JoiningCommaListedSourcesMakesAnInnerJoin) {
  QueryBuilder b;
  b.SQL("SELECT o.order_id, c.name FROM orders AS o, customers AS c");
  b.joinSources(1, "customer_id", 0, "customer_id");
  EXPECT_EQ(b.FormattedSQL(),
            "SELECT o.order_id, c.name\n"
            "FROM orders AS o INNER JOIN customers AS c ON c.customer_id = o.customer_id");
  ASSERT_EQ(b.model().links.size(), 1u);
  EXPECT_EQ(b.model().links[0].leftColumn, "customer_id");
  // A second pair of columns adds to the same join.
  b.joinSources(0, "region", 1, "region");
  EXPECT_EQ(b.FormattedSQL(),
            "SELECT o.order_id, c.name\nFROM orders AS o INNER JOIN customers AS c ON c.customer_id = o.customer_id\n"
            "  AND o.region = c.region");
  EXPECT_EQ(b.model().links.size(), 2u);
}

TEST(VisualOperations, JoinTypeAndRemovingTheLastConditionOfAJoin) {
  QueryBuilder b;
  b.SQL("SELECT * FROM a JOIN b ON b.id = a.id");
  b.setJoinType(0, JoinType::Left);
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM a LEFT JOIN b ON b.id = a.id");
  b.removeJoin(0);
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM a CROSS JOIN b");
  EXPECT_TRUE(b.model().links.empty());
}

TEST(VisualOperations, LinksAreAlsoReadFromWhereForCommaListedSources) {
  QueryBuilder b;
  b.SQL("SELECT * FROM a, b WHERE a.id = b.a_id AND a.x > 1");
  ASSERT_EQ(b.model().links.size(), 1u);
  EXPECT_TRUE(b.model().links[0].inWhere);
  EXPECT_THROW(b.setJoinType(0, JoinType::Left), Failure);
  b.removeJoin(0);
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM a, b WHERE a.x > 1");
}

TEST(VisualOperations, RemovingASourceRemovesWhatRefersToIt) {
  QueryBuilder b;
  b.SQL(
      "SELECT o.id, c.name, p.title FROM orders o JOIN customers c ON c.id = o.customer_id "
      "LEFT JOIN products p ON p.id = o.product_id AND p.id = c.favourite "
      "WHERE c.country = 'DE' AND o.total > 5 ORDER BY c.name, o.id");
  b.removeDataSource(1);
  EXPECT_EQ(b.FormattedSQL(),
            "SELECT o.id, p.title\nFROM orders AS o LEFT JOIN products AS p ON p.id = o.product_id\n"
            "WHERE o.total > 5 ORDER BY o.id");
}

TEST(VisualOperations, RemovingTheFirstSourceOfAJoinKeepsTheOtherConditionsInWhere) {
  QueryBuilder b;
  b.SQL("SELECT b.x FROM a JOIN b ON b.id = a.id AND b.kind = 1");
  b.removeDataSource(0);
  EXPECT_EQ(b.FormattedSQL(), "SELECT b.x FROM b WHERE b.kind = 1");
}

TEST(VisualOperations, RemovingTheLastSourceLeavesAStatementEndingInFrom) {
  QueryBuilder b;
  b.addDataSource(table("orders"));
  b.setColumnChecked(0, "order_id", true);
  b.removeDataSource(0);
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM");
  // The incomplete statement reads back as itself, and a table can be added to it.
  b.SQL(b.FormattedSQL());
  b.addDataSource(table("customers"));
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM customers");
}

TEST(VisualOperations, RemovingASourceInsideParenthesesUnwrapsWhatRemains) {
  QueryBuilder b;
  b.SQL("SELECT * FROM c LEFT JOIN (o JOIN i ON i.oid = o.id) ON o.cid = c.id");
  ASSERT_EQ(b.model().sources.size(), 3u);
  b.removeDataSource(2);
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM c LEFT JOIN o ON o.cid = c.id");
}

TEST(VisualOperations, TheJoinOfAParenthesisedJoinHasItsOwnLine) {
  QueryBuilder b;
  b.SQL("SELECT * FROM c LEFT JOIN (o JOIN i ON i.oid = o.id) ON o.cid = c.id");
  ASSERT_EQ(b.model().links.size(), 2u);
  EXPECT_EQ(b.model().links[0].leftColumn, "cid");
  b.setJoinType(0, JoinType::Inner);
  b.setJoinType(1, JoinType::Left);
  EXPECT_EQ(b.FormattedSQL(), "SELECT * FROM c INNER JOIN (o LEFT JOIN i ON i.oid = o.id) ON o.cid = c.id");
  EXPECT_THROW(b.joinSources(0, "id", 2, "cid"), Failure);
}

TEST(VisualOperations, AliasesAreQuotedWhenTypedWithBlanksAndFollowedByOrderBy) {
  QueryBuilder b;
  b.SQL("SELECT SUM(x) AS total FROM t ORDER BY total DESC");
  b.setAlias(0, "Grand Total");
  EXPECT_EQ(b.FormattedSQL(), "SELECT SUM(x) AS \"Grand Total\" FROM t ORDER BY \"Grand Total\" DESC");
  b.setAlias(0, "[Sum]");
  EXPECT_EQ(b.FormattedSQL(), "SELECT SUM(x) AS [Sum] FROM t ORDER BY [Sum] DESC");
  b.setAlias(0, "");
  EXPECT_EQ(b.FormattedSQL(), "SELECT SUM(x) FROM t ORDER BY SUM(x) DESC");
}

TEST(VisualOperations, OutputOffKeepsSortAndCriteriaOnAHiddenRow) {
  QueryBuilder b;
  b.SQL("SELECT a, b FROM t WHERE b > 2 ORDER BY 2, 1");
  b.setOutput(1, false);
  EXPECT_EQ(b.FormattedSQL(), "SELECT a FROM t WHERE b > 2 ORDER BY b, 1");
  const auto& rows = b.model().rows;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_FALSE(rows[1].output);
  EXPECT_EQ(rows[1].expression, "b");
  EXPECT_EQ(rows[1].criteria, "> 2");
  EXPECT_EQ(rows[1].sortOrder, 1);
  b.setOutput(1, true);
  EXPECT_EQ(b.FormattedSQL(), "SELECT a, b FROM t WHERE b > 2 ORDER BY b, 1");
}

TEST(VisualOperations, SortTypeAndOrder) {
  QueryBuilder b;
  b.SQL("SELECT a, b AS bee, c FROM t");
  b.setSort(0, SortType::Ascending);
  b.setSort(1, SortType::Descending);
  EXPECT_EQ(b.FormattedSQL(), "SELECT a, b AS bee, c FROM t ORDER BY a, bee DESC");
  b.setSortOrder(1, 1);
  EXPECT_EQ(b.FormattedSQL(), "SELECT a, b AS bee, c FROM t ORDER BY bee DESC, a");
  EXPECT_EQ(b.model().rows[0].sortOrder, 2);
  b.setSort(1, SortType::None);
  EXPECT_EQ(b.FormattedSQL(), "SELECT a, b AS bee, c FROM t ORDER BY a");
  EXPECT_THROW(b.setSortOrder(2, 1), Failure);
}

TEST(VisualOperations, CriteriaGoToWhereOrToHavingForAggregates) {
  QueryBuilder b;
  b.SQL("SELECT c.country, COUNT(c.id) AS n FROM customers AS c GROUP BY c.country");
  b.setCriteria(0, "LIKE 'G%'");
  b.setCriteria(1, "> 2");
  EXPECT_EQ(b.FormattedSQL(),
            "SELECT c.country, COUNT(c.id) AS n FROM customers AS c WHERE c.country LIKE 'G%'\n"
            "GROUP BY c.country HAVING COUNT(c.id) > 2");
  b.setCriteria(0, "'Germany'");  // a bare value means equals
  EXPECT_NE(b.FormattedSQL().find("WHERE c.country = 'Germany'"), std::string::npos);
  b.setCriteria(0, "");
  b.setCriteria(1, "");
  EXPECT_EQ(b.FormattedSQL(), "SELECT c.country, COUNT(c.id) AS n FROM customers AS c GROUP BY c.country");
}

TEST(VisualOperations, CriteriaJoinAnExistingOrConditionWithoutChangingItsMeaning) {
  QueryBuilder b;
  b.SQL("SELECT a FROM t WHERE x = 1 OR y = 2");
  b.setCriteria(0, "IS NOT NULL");
  EXPECT_EQ(b.FormattedSQL(), "SELECT a FROM t WHERE (x = 1 OR y = 2) AND a IS NOT NULL");
  EXPECT_THROW(b.setCriteria(0, "> 1 OR b = 2"), Failure);
}

TEST(VisualOperations, AggregatesWrapTheColumnAndGroupTheOthers) {
  QueryBuilder b;
  b.SQL("SELECT c.country, c.city, c.id FROM customers AS c");
  b.setAggregate(2, "count");
  EXPECT_EQ(b.FormattedSQL(),
            "SELECT c.country, c.city, COUNT(c.id) FROM customers AS c\nGROUP BY c.country, c.city");
  EXPECT_EQ(b.model().rows[2].aggregate, "COUNT");
  EXPECT_EQ(b.model().rows[2].expression, "c.id");
  b.setAggregate(2, "");
  EXPECT_EQ(b.FormattedSQL(), "SELECT c.country, c.city, c.id FROM customers AS c");
}

TEST(VisualOperations, DistinctIsSwitchedOnAndOff) {
  QueryBuilder b;
  b.SQL("SELECT a FROM t");
  b.setDistinct(true);
  EXPECT_EQ(b.FormattedSQL(), "SELECT DISTINCT a FROM t");
  EXPECT_TRUE(b.model().distinct);
  b.setDistinct(false);
  EXPECT_EQ(b.FormattedSQL(), "SELECT a FROM t");
}

TEST(VisualOperations, OperationsActOnTheChosenPartOfAUnion) {
  QueryBuilder b;
  b.SQL("SELECT a FROM t UNION ALL SELECT b FROM u");
  ASSERT_EQ(b.model().parts.size(), 2u);
  EXPECT_EQ(b.model().parts[1].setOperator, "UNION ALL");
  b.setActivePart(1);
  EXPECT_EQ(b.model().sources[0].title, "u");
  b.setColumnChecked(0, "c", true);
  EXPECT_EQ(b.FormattedSQL(), "SELECT a FROM t UNION ALL SELECT b, u.c FROM u");
  b.SQL("SELECT 1 UNION VALUES (2)");
  b.setActivePart(1);
  EXPECT_FALSE(b.model().parts[1].editable);
  EXPECT_THROW(b.setDistinct(true), Failure);
}

TEST(VisualOperations, NamesFromTheCatalogAreQuotedOnlyWhenNeeded) {
  QueryBuilder b;
  b.addDataSource({Identifier{"order items", QuoteStyle::Double}});
  b.setColumnChecked(0, "unit price", true);
  b.setColumnChecked(0, "select", true);
  b.setColumnChecked(0, "plain_name", true);
  EXPECT_EQ(b.FormattedSQL(),
            "SELECT \"order items\".\"unit price\", \"order items\".\"select\",\n"
            "  \"order items\".plain_name FROM \"order items\"");
}

}  // namespace
}  // namespace tavrello::builder
