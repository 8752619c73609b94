// What the diagram and the columns pane are given for a statement.
#include "platform/builder/query_model.h"

#include <gtest/gtest.h>

#include "platform/builder/parser.h"

namespace tavrello::builder {
namespace {

QueryModel modelOf(std::string_view sql, const ColumnLookup& lookup = {}, std::size_t part = 0) {
  return QueryModel::build(parseStatement(sql), part, lookup);
}

std::vector<std::string> columnNames(const DataSource& source) {
  std::vector<std::string> names;
  for (const SourceColumn& c : source.columns) names.push_back(c.name);
  return names;
}

TEST(QueryModel, TheEmptyStatementShowsNothing) {
  QueryModel model = QueryModel::build(std::nullopt, 0, {});
  EXPECT_TRUE(model.parts.empty());
  EXPECT_TRUE(model.sources.empty());
  EXPECT_TRUE(model.rows.empty());
}

TEST(QueryModel, BoxesListTheCatalogsColumnsWithTheSelectedOnesTicked) {
  ColumnLookup lookup = [](const Name& name) {
    if (name.back().name == "orders") return std::vector<std::string>{"id", "status", "total"};
    return std::vector<std::string>{};
  };
  QueryModel model = modelOf("SELECT o.status, o.TOTAL FROM orders AS o", lookup);
  ASSERT_EQ(model.sources.size(), 1u);
  EXPECT_EQ(model.sources[0].title, "orders AS o");
  EXPECT_EQ(model.sources[0].reference.name, "o");
  EXPECT_EQ(columnNames(model.sources[0]), (std::vector<std::string>{"*", "id", "status", "total"}));
  EXPECT_FALSE(model.sources[0].columns[1].checked);
  EXPECT_TRUE(model.sources[0].columns[2].checked);
  EXPECT_TRUE(model.sources[0].columns[3].checked);  // names compare without regard to case
}

TEST(QueryModel, UnknownTablesShowTheColumnsTheStatementUses) {
  QueryModel model = modelOf("SELECT a.x, b.y FROM a JOIN b ON b.a_id = a.id WHERE a.z > 1 ORDER BY b.w");
  EXPECT_EQ(columnNames(model.sources[0]), (std::vector<std::string>{"*", "x", "z", "id"}));
  EXPECT_EQ(columnNames(model.sources[1]), (std::vector<std::string>{"*", "y", "a_id", "w"}));
  // With one source, unqualified columns are its own, and a bare * ticks its star.
  QueryModel single = modelOf("SELECT *, name FROM t WHERE city = 'x'");
  EXPECT_EQ(columnNames(single.sources[0]), (std::vector<std::string>{"*", "name", "city"}));
  EXPECT_TRUE(single.sources[0].columns[0].checked);
}

TEST(QueryModel, DerivedTablesAndWithQueriesShowTheirOutputColumns) {
  QueryModel model = modelOf(
      "WITH totals(customer, amount) AS (SELECT c, SUM(x) FROM s GROUP BY c), recent AS (SELECT id, d AS day FROM r) "
      "SELECT * FROM totals, recent, (SELECT k, v AS value FROM kv) AS sub, generate_series(1, 3) AS g(n)");
  ASSERT_EQ(model.sources.size(), 4u);
  EXPECT_EQ(columnNames(model.sources[0]), (std::vector<std::string>{"*", "customer", "amount"}));
  EXPECT_EQ(columnNames(model.sources[1]), (std::vector<std::string>{"*", "id", "day"}));
  EXPECT_EQ(model.sources[2].title, "(subquery) AS sub");
  EXPECT_EQ(model.sources[2].kind, TableSource::Kind::Subquery);
  EXPECT_EQ(columnNames(model.sources[2]), (std::vector<std::string>{"*", "k", "value"}));
  EXPECT_EQ(model.sources[3].title, "generate_series(1, 3) AS g");
  EXPECT_EQ(columnNames(model.sources[3]), (std::vector<std::string>{"*", "n"}));
}

TEST(QueryModel, JoinLinesComeFromEqualitiesBetweenTwoSources) {
  QueryModel model = modelOf(
      "SELECT * FROM a LEFT JOIN b ON b.a_id = a.id AND b.kind = 'x' JOIN c ON c.b_id = b.id AND c.n > a.n "
      "CROSS JOIN d, e WHERE e.d_id = d.id");
  ASSERT_EQ(model.links.size(), 3u);
  EXPECT_EQ(model.links[0].leftSource, 1u);
  EXPECT_EQ(model.links[0].leftColumn, "a_id");
  EXPECT_EQ(model.links[0].rightSource, 0u);
  EXPECT_EQ(model.links[0].rightColumn, "id");
  EXPECT_EQ(model.links[0].type, JoinType::Left);
  EXPECT_EQ(model.links[1].type, JoinType::Inner);
  EXPECT_FALSE(model.links[1].inWhere);
  EXPECT_TRUE(model.links[2].inWhere);
  EXPECT_EQ(model.links[2].leftSource, 4u);
}

TEST(QueryModel, SourcesInsideParenthesisedJoinsAreBoxesToo) {
  QueryModel model = modelOf("SELECT * FROM c LEFT JOIN (o JOIN i ON i.oid = o.id) ON o.cid = c.id");
  ASSERT_EQ(model.sources.size(), 3u);
  EXPECT_EQ(model.sources[2].path, (SourcePath{0, 1, 1}));
  EXPECT_EQ(model.links.size(), 2u);
}

TEST(QueryModel, RowsJoinTheSelectListWithItsSortingAndCriteria) {
  QueryModel model = modelOf(
      "SELECT c.country, COUNT(c.id) AS n, c.city FROM customers AS c "
      "WHERE c.city LIKE 'B%' AND c.vip = 1 AND (c.a = 1 OR c.b = 2) GROUP BY c.country, c.city "
      "HAVING COUNT(c.id) > 2 ORDER BY n DESC, 1, c.joined");
  const auto& rows = model.rows;
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].expression, "c.country");
  EXPECT_EQ(rows[0].sort, SortType::Ascending);
  EXPECT_EQ(rows[0].sortOrder, 2);  // by position
  EXPECT_EQ(rows[1].expression, "c.id");
  EXPECT_EQ(rows[1].aggregate, "COUNT");
  EXPECT_EQ(rows[1].alias, "n");
  EXPECT_EQ(rows[1].sort, SortType::Descending);  // by alias
  EXPECT_EQ(rows[1].criteria, "> 2");
  EXPECT_TRUE(rows[1].criterionInHaving);
  EXPECT_EQ(rows[2].criteria, "LIKE 'B%'");
  // Rows that only sort or filter are not output.
  EXPECT_EQ(rows[3].expression, "c.joined");
  EXPECT_FALSE(rows[3].output);
  EXPECT_EQ(rows[3].sortOrder, 3);
  EXPECT_EQ(rows[4].expression, "c.vip");
  EXPECT_FALSE(rows[4].output);
  EXPECT_EQ(rows[4].criteria, "= 1");
}

TEST(QueryModel, PartsOfASetOperationAndTheirEditability) {
  QueryModel model = modelOf("SELECT a FROM t UNION ALL (SELECT b FROM u) EXCEPT SELECT c FROM v", {}, 2);
  ASSERT_EQ(model.parts.size(), 3u);
  EXPECT_EQ(model.parts[0].setOperator, "");
  EXPECT_EQ(model.parts[1].setOperator, "UNION ALL");
  EXPECT_FALSE(model.parts[1].editable);
  EXPECT_TRUE(model.parts[2].editable);
  EXPECT_EQ(model.activePart, 2u);
  EXPECT_EQ(model.sources[0].title, "v");
  EXPECT_EQ(modelOf("SELECT 1", {}, 7).activePart, 0u);
}

}  // namespace
}  // namespace tavrello::builder
