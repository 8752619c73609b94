#include "platform/builder/parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/builder/formatter.h"

namespace tavrello::builder {
namespace {

Query parse(std::string_view text) {
  auto q = parseStatement(text);
  if (!q) throw std::runtime_error("empty statement");
  return *q;
}

std::string rejection(std::string_view text) {
  try {
    parseStatement(text);
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), -2147217900);
    return f.description();
  }
  return "accepted";
}

TEST(Parser, SelectListFromAndJoinsBecomeTheirParts) {
  Query q = parse(
      "SELECT o.id, c.name AS customer, COUNT(*) n FROM orders o "
      "LEFT OUTER JOIN customers c ON c.id = o.customer_id CROSS JOIN x, y AS z "
      "WHERE o.total > 10 GROUP BY o.id, c.name HAVING COUNT(*) > 1 ORDER BY 1 DESC LIMIT 5");
  const SelectCore& core = q.first.select;
  ASSERT_EQ(core.items.size(), 3u);
  EXPECT_EQ(core.items[1].alias.name, "customer");
  EXPECT_EQ(core.items[2].alias.name, "n");
  EXPECT_EQ(core.items[2].expr.kind, ExprKind::Function);
  ASSERT_EQ(core.from.size(), 2u);
  EXPECT_EQ(core.from[0].first.alias.name, "o");
  ASSERT_EQ(core.from[0].joins.size(), 2u);
  EXPECT_EQ(core.from[0].joins[0].type, JoinType::Left);
  EXPECT_TRUE(core.from[0].joins[0].on);
  EXPECT_EQ(core.from[0].joins[1].type, JoinType::Cross);
  EXPECT_EQ(core.from[1].first.alias.name, "z");
  EXPECT_TRUE(core.where);
  EXPECT_EQ(core.groupBy.size(), 2u);
  EXPECT_TRUE(core.having);
  ASSERT_EQ(q.orderBy.size(), 1u);
  EXPECT_EQ(q.orderBy[0].direction, "DESC");
  EXPECT_EQ(q.limit.style, RowLimit::Style::Limit);
}

TEST(Parser, SetOperationsFormAFlatChainWithOneOrderByForAll) {
  Query q = parse("SELECT a FROM t UNION ALL SELECT b FROM u INTERSECT SELECT c FROM v EXCEPT (SELECT d FROM w) ORDER BY 1");
  ASSERT_EQ(q.rest.size(), 3u);
  EXPECT_EQ(q.rest[0].op, "UNION");
  EXPECT_EQ(q.rest[0].quantifier, "ALL");
  EXPECT_EQ(q.rest[1].op, "INTERSECT");
  EXPECT_EQ(q.rest[2].term.kind, QueryTerm::Kind::Nested);
  EXPECT_EQ(q.orderBy.size(), 1u);
}

TEST(Parser, RowLimitsInEachDialectsForm) {
  EXPECT_EQ(parse("SELECT a FROM t LIMIT 5, 10").limit.style, RowLimit::Style::LimitComma);
  Query fetch = parse("SELECT a FROM t ORDER BY a OFFSET 5 ROWS FETCH NEXT 10 ROWS ONLY");
  EXPECT_EQ(fetch.limit.style, RowLimit::Style::OffsetFetch);
  EXPECT_EQ(fetch.limit.fetchWord, "NEXT");
  Query top = parse("SELECT TOP (5) PERCENT WITH TIES a FROM t ORDER BY a");
  EXPECT_TRUE(top.first.select.top);
  EXPECT_TRUE(top.first.select.topPercent);
  EXPECT_TRUE(top.first.select.topWithTies);
  // PostgreSQL's OFFSET before LIMIT is the same limit as LIMIT ... OFFSET.
  EXPECT_EQ(parse("SELECT a FROM t OFFSET 5 LIMIT 10"), parse("SELECT a FROM t LIMIT 10 OFFSET 5"));
}

TEST(Parser, KeywordsAndKnownFunctionsAreStoredUpperCasedNamesAsWritten) {
  Query q = parse("select count(*), coalesce(a, 0), myFunc(b), current_date, \"Mixed\" from T");
  const auto& items = q.first.select.items;
  EXPECT_EQ(items[0].expr.name[0].name, "COUNT");
  EXPECT_EQ(items[1].expr.name[0].name, "COALESCE");
  EXPECT_EQ(items[2].expr.name[0].name, "myFunc");
  EXPECT_EQ(items[3].expr.name[0].name, "CURRENT_DATE");
  EXPECT_EQ(items[4].expr.name[0].name, "Mixed");
  EXPECT_EQ(items[4].expr.name[0].quote, QuoteStyle::Double);
  EXPECT_EQ(q.first.select.from[0].first.name[0].name, "T");
}

TEST(Parser, OperatorPrecedenceSplitsConditionsAsTheDatabasesDo) {
  Expr e = parseExpression("a = 1 OR b = 2 AND NOT c BETWEEN 1 AND 3");
  ASSERT_EQ(e.kind, ExprKind::Binary);
  EXPECT_EQ(e.text, "OR");
  EXPECT_EQ(e.args[1].text, "AND");
  EXPECT_EQ(e.args[1].args[1].kind, ExprKind::Unary);
  EXPECT_EQ(e.args[1].args[1].args[0].kind, ExprKind::Between);
  Expr arithmetic = parseExpression("1 + 2 * 3 - 4");
  EXPECT_EQ(arithmetic.text, "-");
  EXPECT_EQ(arithmetic.args[0].text, "+");
  EXPECT_EQ(arithmetic.args[0].args[1].text, "*");
}

TEST(Parser, WindowsKeepPartitionOrderAndFrame) {
  Expr e = parseExpression("SUM(x) OVER (w PARTITION BY a, b ORDER BY c DESC NULLS LAST ROWS BETWEEN 2 PRECEDING AND CURRENT ROW)");
  ASSERT_TRUE(e.call && e.call->over);
  const WindowSpec& w = *e.call->over;
  EXPECT_EQ(w.name.name, "w");
  EXPECT_EQ(w.partitionBy.size(), 2u);
  ASSERT_EQ(w.orderBy.size(), 1u);
  EXPECT_EQ(w.orderBy[0].nulls, "NULLS LAST");
  EXPECT_EQ(w.frameUnits, "ROWS");
  EXPECT_TRUE(w.frameBetween);
  EXPECT_EQ(w.frameStart.kind, "PRECEDING");
  EXPECT_EQ(w.frameEnd.kind, "CURRENT ROW");
  Expr named = parseExpression("RANK() OVER w");
  EXPECT_FALSE(named.call->over->parenthesized);
}

TEST(Parser, SpecialFunctionFormsKeepTheirKeywords) {
  Expr trim = parseExpression("TRIM(LEADING '0' FROM code)");
  EXPECT_EQ(trim.call->keywords, (std::vector<std::string>{"LEADING", "FROM"}));
  Expr agg = parseExpression("GROUP_CONCAT(DISTINCT s ORDER BY s SEPARATOR ', ')");
  EXPECT_EQ(agg.call->quantifier, "DISTINCT");
  EXPECT_EQ(agg.call->orderByAfter, 1u);
  EXPECT_EQ(agg.call->keywords, (std::vector<std::string>{"", "SEPARATOR"}));
  Expr cast = parseExpression("CAST(x AS DOUBLE PRECISION)");
  EXPECT_EQ(cast.type->name[0].name, "DOUBLE");
  EXPECT_THROW(parseExpression("f(a, IN (1, 2))"), Failure) << "a keyword stands instead of a comma, not after it";
  EXPECT_EQ(cast.type->moreWords, std::vector<std::string>{"PRECISION"});
  Expr array = parseExpression("x::int[]");
  EXPECT_EQ(array.type->arrayDimensions, 1);
  EXPECT_EQ(parseExpression("INTERVAL 3 DAY").text, "DAY");
  EXPECT_EQ(parseExpression("DATE '2024-01-31'").kind, ExprKind::TypedLiteral);
  EXPECT_EQ(parseExpression("x = ANY (SELECT y FROM t)").args[1].kind, ExprKind::Quantified);
}

TEST(Parser, ABareQueryArgumentReadsAsTheBracketedOneTheFormatterWrites) {
  Expr bare = parseExpression("f(SELECT 1 AS x IN (1))");
  ASSERT_EQ(bare.call->args.size(), 1u) << "IN after the query is its operator, not an argument's keyword";
  EXPECT_EQ(bare.call->args[0], parseExpression("f((SELECT 1 AS x) IN (1))").call->args[0]);
  EXPECT_EQ(formatExpression(bare), "f((SELECT 1 AS x) IN (1))");
  // Bracketed, a query after IN is IN's own list, so there is no unbracketed
  // one for the formatter to write.
  EXPECT_THROW(parseExpression("f(SELECT a IN SELECT b)"), Failure);
  EXPECT_THROW(parseExpression("f(a IN SELECT b)"), Failure);
}

TEST(Parser, SourcesOfEveryKind) {
  Query q = parse(
      "SELECT * FROM dbo.[Order Details] od WITH (NOLOCK) CROSS APPLY fn(od.id) AS f "
      "OUTER APPLY (SELECT 1 AS one) AS s, LATERAL generate_series(1, 3) WITH ORDINALITY AS g(n, i)");
  const auto& from = q.first.select.from;
  ASSERT_EQ(from.size(), 2u);
  EXPECT_EQ(from[0].first.name.size(), 2u);
  EXPECT_EQ(from[0].first.hints.size(), 1u);
  EXPECT_EQ(from[0].joins[0].type, JoinType::CrossApply);
  EXPECT_EQ(from[0].joins[0].source.kind, TableSource::Kind::Function);
  EXPECT_EQ(from[0].joins[1].type, JoinType::OuterApply);
  EXPECT_EQ(from[0].joins[1].source.kind, TableSource::Kind::Subquery);
  EXPECT_TRUE(from[1].first.lateral);
  EXPECT_TRUE(from[1].first.withOrdinality);
  EXPECT_EQ(from[1].first.columnAliases.size(), 2u);
}

TEST(Parser, WithDistinctOnAndTrailingForClause) {
  Query q = parse(
      "WITH RECURSIVE r(n) AS MATERIALIZED (SELECT 1) SELECT DISTINCT ON (a) a, b FROM r "
      "ORDER BY a FOR XML PATH(''), TYPE");
  EXPECT_TRUE(q.recursive);
  EXPECT_EQ(q.with[0].materialized, "MATERIALIZED");
  EXPECT_EQ(q.with[0].columns.size(), 1u);
  EXPECT_TRUE(q.first.select.distinctOn);
  ASSERT_EQ(q.forClause.size(), 2u);
  EXPECT_EQ(q.forClause[0].size(), 2u);
}

TEST(Parser, EmptyTextIsTheEmptyStatement) {
  EXPECT_FALSE(parseStatement(""));
  EXPECT_FALSE(parseStatement("  -- nothing here\n /* or here */ ;"));
}

TEST(Parser, ABareFromAtTheEndIsAQueryWithoutDataSources) {
  Query q = parse("SELECT * FROM");
  EXPECT_TRUE(q.first.select.hasFrom);
  EXPECT_TRUE(q.first.select.from.empty());
}

TEST(Parser, UnbalancedBracketsAreNamedWithTheirPosition) {
  EXPECT_EQ(rejection("SELECT (a + 1 FROM t"), "Syntax error at line 1, column 8: '(' is never closed with ')'");
  EXPECT_EQ(rejection("SELECT a FROM t WHERE (x = 1))"),
            "Syntax error at line 1, column 30: ')' without a matching '('");
  EXPECT_EQ(rejection("SELECT COUNT(*\nFROM t"), "Syntax error at line 1, column 13: '(' is never closed with ')'");
}

TEST(Parser, EmptyQuotedNamesAreRefusedWhateverTheQuote) {
  EXPECT_EQ(rejection("SELECT a '' FROM t"), "Syntax error at line 1, column 10: a quoted name cannot be empty");
  EXPECT_EQ(rejection("SELECT a AS \"\" FROM t"), "Syntax error at line 1, column 13: a quoted name cannot be empty");
  EXPECT_EQ(parse("SELECT a 'Total' FROM t").first.select.items[0].alias.name, "Total");
}

TEST(Parser, StatementsThatAreNotQueriesAreRefused) {
  EXPECT_EQ(rejection("UPDATE t SET a = 1"),
            "Syntax error at line 1, column 1: the statement is not a query: it begins with 'UPDATE' instead of "
            "SELECT, WITH or VALUES");
  EXPECT_EQ(rejection("  delete from t"),
            "Syntax error at line 1, column 3: the statement is not a query: it begins with 'delete' instead of "
            "SELECT, WITH or VALUES");
  EXPECT_NE(rejection("SELEC * FROM t"), "accepted");
  EXPECT_NE(rejection("WITH x AS (SELECT 1) DELETE FROM t"), "accepted");
}

TEST(Parser, TrailingGarbageIsRefusedWhereItStarts) {
  EXPECT_EQ(rejection("SELECT 1 2"), "Syntax error at line 1, column 10: '2' cannot follow the statement here");
  EXPECT_EQ(rejection("SELECT a FROM t xyz abc"),
            "Syntax error at line 1, column 21: 'abc' cannot follow the statement here");
  EXPECT_EQ(rejection("SELECT a FROM t; SELECT b FROM u"),
            "Syntax error at line 1, column 18: 'SELECT' cannot follow the statement here");
  EXPECT_EQ(rejection("SELECT a FROM t\nWHERE a = 1\nFOO BAR"),
            "Syntax error at line 3, column 1: 'FOO' cannot follow the statement here");
}

TEST(Parser, ClausesCutShortSayWhatIsMissing) {
  EXPECT_EQ(rejection("SELECT a FROM t WHERE"),
            "Syntax error at line 1, column 22: expected an expression, found the end of the statement");
  EXPECT_EQ(rejection("SELECT a, FROM t"), "Syntax error at line 1, column 11: expected an expression, found 'FROM'");
  EXPECT_EQ(rejection("SELECT a FROM t ORDER a"), "Syntax error at line 1, column 23: expected BY, found 'a'");
  EXPECT_EQ(rejection("SELECT CASE WHEN a THEN 1 FROM t"),
            "Syntax error at line 1, column 27: expected END, found 'FROM'");
  EXPECT_EQ(rejection("SELECT a FROM t JOIN"), "Syntax error at line 1, column 21: expected a table name, found the end of the statement");
  EXPECT_EQ(rejection("SELECT a AS FROM t"), "Syntax error at line 1, column 13: expected an alias after AS, found 'FROM'");
}

TEST(Parser, ExpressionsAndAliasesAloneForTheColumnsPane) {
  EXPECT_EQ(parseExpression("o.total * 2").kind, ExprKind::Binary);
  EXPECT_THROW(parseExpression("a b"), Failure);
  EXPECT_THROW(parseExpression(""), Failure);
  Identifier alias = parseAlias("[Order Total]");
  EXPECT_EQ(alias.name, "Order Total");
  EXPECT_EQ(alias.quote, QuoteStyle::Bracket);
  EXPECT_THROW(parseAlias("two words"), Failure);
  EXPECT_THROW(parseAlias("FROM"), Failure);
}

// Brackets, operators, subqueries and nested joins past any real statement
// are refused before the parser, or whatever walks the tree they would make,
// could exhaust the stack; a long list of alternatives, as tools write it,
// is not.
TEST(Parser, NestingPastItsBoundsIsRefusedAndLongChainsStillParse) {
  auto repeat = [](const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
  };
  const std::string tooDeep = "nests too deeply (more than ";
  const std::vector<std::string> deep = {
      "SELECT " + repeat("(", 5000) + "1" + repeat(")", 5000),
      "SELECT " + repeat("- ", 5000) + "1",
      "SELECT 1" + repeat(" + 1", 6000),
      "SELECT " + repeat("(SELECT ", 300) + "1" + repeat(")", 300),
      "SELECT * FROM " + repeat("(", 5000) + "t" + repeat(")", 5000),
      "SELECT a FROM t WHERE x IN " + repeat("(SELECT a FROM t WHERE x IN ", 300) + "(1)" + repeat(")", 300),
  };
  for (const std::string& text : deep) {
    EXPECT_NE(rejection(text).find(tooDeep), std::string::npos) << text.substr(0, 40) << ": " << rejection(text);
  }
  for (std::size_t i = 0; i < 3; ++i) {
    try {
      parseExpression(deep[i].substr(7));
      ADD_FAILURE() << deep[i].substr(0, 40);
    } catch (const Failure& f) {
      EXPECT_NE(f.description().find(tooDeep), std::string::npos) << f.description();
    }
  }

  std::string alternatives = "SELECT id FROM orders WHERE id = 0";
  for (int i = 1; i < 1500; ++i) alternatives += " OR id = " + std::to_string(i);
  const Query query = parse(alternatives);
  EXPECT_EQ(parse(formatStatement(query)), query);
  EXPECT_EQ(parse("SELECT " + repeat("(", 200) + "1" + repeat(")", 200)),
            parse(formatStatement(parse("SELECT " + repeat("(", 200) + "1" + repeat(")", 200)))));
}

}  // namespace
}  // namespace tavrello::builder
