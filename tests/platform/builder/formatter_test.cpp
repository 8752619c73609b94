#include "platform/builder/formatter.h"

#include <gtest/gtest.h>

#include "platform/builder/parser.h"

namespace tavrello::builder {
namespace {

std::string format(std::string_view text) { return formatStatement(parseStatement(text)); }

TEST(Formatter, KeywordsUpperCaseNamesAsWrittenOneBlankBetweenTokens) {
  EXPECT_EQ(format("select   Name,\n\tcount(*)  as N from  [My Table]  t   where t.x<>1 group by Name"),
            "SELECT Name, COUNT(*) AS N FROM [My Table] AS t WHERE t.x <> 1 GROUP BY Name");
  EXPECT_EQ(format("select \"a\", `b`, [c], 'd' from x"), "SELECT \"a\", `b`, [c], 'd' FROM x");
  EXPECT_EQ(format("select a from t join u on u.id=t.id left outer join v using(id)"),
            "SELECT a FROM t INNER JOIN u ON u.id = t.id LEFT JOIN v USING (id)");
}

TEST(Formatter, EmptyStatementIsEmptyTextAndBareFromEndsInFrom) {
  EXPECT_EQ(formatStatement(std::nullopt), "");
  EXPECT_EQ(format("select * from"), "SELECT * FROM");
  EXPECT_EQ(format("select 1 from where 1 = 1"), "SELECT 1 FROM WHERE 1 = 1");
}

TEST(Formatter, StaysOnOneLineWhileItFitsTheRightMargin) {
  std::string text = format(
      "SELECT o.id, c.name FROM orders o JOIN customers c ON c.id = o.cid");
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_LE(text.size(), 80u);
}

TEST(Formatter, LongStatementsBreakBeforeAClauseThatWouldPassTheMargin) {
  std::string text = format(
      "SELECT o.order_id, o.order_date, o.status FROM orders o WHERE o.status = 'shipped' AND o.freight > 10 "
      "ORDER BY o.order_date");
  EXPECT_EQ(text,
            "SELECT o.order_id, o.order_date, o.status FROM orders AS o\n"
            "WHERE o.status = 'shipped' AND o.freight > 10 ORDER BY o.order_date");
}

TEST(Formatter, NoLineBreaksInsideAJoin) {
  std::string text = format(
      "SELECT a.x, b.y FROM alpha_table a INNER JOIN beta_table b ON b.alpha_id = a.id AND b.kind = 'z' "
      "LEFT JOIN gamma_table g ON g.beta_id = b.id");
  EXPECT_EQ(text,
            "SELECT a.x, b.y\n"
            "FROM alpha_table AS a INNER JOIN beta_table AS b ON b.alpha_id = a.id\n"
            "  AND b.kind = 'z' LEFT JOIN gamma_table AS g ON g.beta_id = b.id");
  for (std::size_t at = text.find("JOIN"); at != std::string::npos; at = text.find("JOIN", at + 1)) {
    EXPECT_EQ(text[at + 4], ' ') << "a line ends after JOIN in:\n" << text;
  }
}

TEST(Formatter, LinesStayWithinTheMarginWhereTheStatementAllows) {
  std::string text = format(
      "SELECT customer_id, name, email, city, country, created_at, order_id, order_date, status, freight, "
      "first_name, last_name FROM customers c JOIN orders o USING (customer_id) WHERE status IN ('a', 'b') "
      "AND country = 'Germany' AND freight BETWEEN 10 AND 500 ORDER BY name, order_date DESC");
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    EXPECT_LE(end - start, 80u) << text;
    start = end + 1;
  }
}

TEST(Formatter, PrefixOperatorsThatWouldRunIntoALongerOneKeepABlank) {
  EXPECT_EQ(format("select - -1, -(-a), 1 - -2"), "SELECT - -1, -(-a), 1 - -2") << "no -- comment";
  EXPECT_EQ(format("select ~ ~a, ~-a, + +a"), "SELECT ~ ~a, ~-a, ++a") << "no ~~ operator";
  EXPECT_EQ(formatExpression(parseExpression("~ * + 1")), "~ * + 1") << "no ~* operator";
}

TEST(Formatter, QuotesInNamesAreDoubledAgain) {
  EXPECT_EQ(formatIdentifier({"a\"b", QuoteStyle::Double}), "\"a\"\"b\"");
  EXPECT_EQ(formatIdentifier({"a]b", QuoteStyle::Bracket}), "[a]]b]");
  EXPECT_EQ(formatIdentifier({"it's", QuoteStyle::Single}), "'it''s'");
  EXPECT_EQ(formatName({{"dbo", QuoteStyle::None}, {"Order Details", QuoteStyle::Bracket}}), "dbo.[Order Details]");
}

TEST(Formatter, ExpressionsFormatOnOneLineWhateverTheirLength) {
  Expr e = parseExpression(
      "CASE WHEN a.very_long_column_name > 100 THEN 'large' WHEN a.very_long_column_name > 10 THEN 'medium' "
      "ELSE 'small' END");
  EXPECT_EQ(formatExpression(e).find('\n'), std::string::npos);
}

}  // namespace
}  // namespace tavrello::builder
