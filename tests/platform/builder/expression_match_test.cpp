#include "platform/builder/expression_match.h"

#include <gtest/gtest.h>

#include "platform/builder/formatter.h"
#include "platform/builder/parser.h"

namespace tavrello::builder {
namespace {

TEST(ExpressionMatch, NamesMatchWhateverTheirCaseOrQuotes) {
  EXPECT_TRUE(sameExpression(parseExpression("o.Total + 1"), parseExpression("O.\"total\" + 1")));
  EXPECT_TRUE(sameExpression(parseExpression("SUM([x])"), parseExpression("sum(`X`)")));
  EXPECT_FALSE(sameExpression(parseExpression("o.total"), parseExpression("p.total")));
  EXPECT_FALSE(sameExpression(parseExpression("'A'"), parseExpression("'a'")));  // strings keep their case
}

TEST(ExpressionMatch, ConjunctsSplitAtTopLevelAndJoinBackKeepingTheirMeaning) {
  Box<Expr> where = parseExpression("a = 1 AND (b = 2 AND c = 3) AND d = 4");
  auto parts = splitConjuncts(where);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(formatExpression(parts[1]), "(b = 2 AND c = 3)");
  EXPECT_EQ(joinConjuncts(parts), where);
  auto withOr = splitConjuncts(Box<Expr>(parseExpression("x = 1 OR y = 2")));
  withOr.push_back(parseExpression("z = 3"));
  EXPECT_EQ(formatExpression(*joinConjuncts(withOr)), "(x = 1 OR y = 2) AND z = 3");
  EXPECT_FALSE(joinConjuncts({}));
}

TEST(ExpressionMatch, ReferencesToASourceAreFoundInsideExpressions) {
  Identifier o{"o", QuoteStyle::None};
  EXPECT_TRUE(referencesSource(parseExpression("COALESCE(O.total, 0) * 2"), o, false));
  EXPECT_TRUE(referencesSource(parseExpression("o.*"), o, false));
  EXPECT_FALSE(referencesSource(parseExpression("p.total + total"), o, false));
  EXPECT_TRUE(referencesSource(parseExpression("p.total + total"), o, true));
}

TEST(ExpressionMatch, CriteriaAndAggregatesAreRecognised) {
  EXPECT_EQ(formatExpression(*criterionSubject(parseExpression("a.b BETWEEN 1 AND 2"))), "a.b");
  EXPECT_EQ(formatExpression(*criterionSubject(parseExpression("UPPER(x) NOT LIKE 'A%'"))), "UPPER(x)");
  EXPECT_EQ(criterionSubject(parseExpression("a = 1 OR b = 2")), nullptr);
  EXPECT_EQ(criterionSubject(parseExpression("EXISTS (SELECT 1)")), nullptr);
  EXPECT_TRUE(isSimpleAggregate(parseExpression("count(x)")));
  EXPECT_FALSE(isSimpleAggregate(parseExpression("COUNT(DISTINCT x)")));
  EXPECT_FALSE(isSimpleAggregate(parseExpression("SUM(x) OVER ()")));
  EXPECT_TRUE(containsAggregate(parseExpression("1 + MAX(x)")));
  EXPECT_FALSE(containsAggregate(parseExpression("ROW_NUMBER() OVER (ORDER BY x)")));
}

}  // namespace
}  // namespace tavrello::builder
