#include "platform/builder/tokenizer.h"

#include <gtest/gtest.h>

namespace tavrello::builder {
namespace {

std::vector<TokenKind> kinds(const std::vector<Token>& tokens) {
  std::vector<TokenKind> out;
  for (const Token& t : tokens) out.push_back(t.kind);
  return out;
}

std::string problem(std::string_view text) {
  try {
    tokenize(text);
  } catch (const Failure& f) {
    return f.description();
  }
  return "accepted";
}

TEST(Tokenizer, QuotedNamesOfEveryDialectKeepTheirStyleAndLoseTheirQuotes) {
  auto tokens = tokenize(R"(SELECT "a ""b""", [c ]]d], `e``f` FROM t)");
  ASSERT_EQ(tokens.size(), 9u);
  EXPECT_EQ(tokens[1].kind, TokenKind::Quoted);
  EXPECT_EQ(tokens[1].value, "a \"b\"");
  EXPECT_EQ(tokens[1].quote, QuoteStyle::Double);
  EXPECT_EQ(tokens[3].value, "c ]d");
  EXPECT_EQ(tokens[3].quote, QuoteStyle::Bracket);
  EXPECT_EQ(tokens[5].value, "e`f");
  EXPECT_EQ(tokens[5].quote, QuoteStyle::Backtick);
  EXPECT_EQ(tokens.back().kind, TokenKind::End);
}

TEST(Tokenizer, StringsKeepTheirTextIncludingPrefixesAndDoubledQuotes) {
  auto tokens = tokenize(R"('it''s' N'Zoë' E'a\'b' X'0F' $$x'y$$ $q$ $$ $q$)");
  std::vector<std::string> texts;
  for (const Token& t : tokens) {
    if (t.kind == TokenKind::String) texts.push_back(t.text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"'it''s'", "N'Zoë'", R"(E'a\'b')", "X'0F'", "$$x'y$$", "$q$ $$ $q$"}));
}

TEST(Tokenizer, CommentsAreDroppedAndPositionsCountLinesAndColumns) {
  auto tokens = tokenize("SELECT -- first\n  /* block\n comment */ a\nFROM t");
  ASSERT_EQ(tokens.size(), 5u);
  EXPECT_EQ(tokens[1].text, "a");
  EXPECT_EQ(tokens[1].position.line, 3u);
  EXPECT_EQ(tokens[1].position.column, 13u);
  EXPECT_EQ(tokens[2].value, "FROM");
  EXPECT_EQ(tokens[2].position.line, 4u);
  EXPECT_EQ(tokens[2].position.column, 1u);
}

TEST(Tokenizer, NumbersParametersAndOperators) {
  auto tokens = tokenize("1 2.5 .5 1e-3 0x1F ? ?2 :name @var @@ROWCOUNT $1 a::int <> != <= >= || ->> #temp");
  EXPECT_EQ(kinds(tokens),
            (std::vector<TokenKind>{TokenKind::Number, TokenKind::Number, TokenKind::Number, TokenKind::Number,
                                    TokenKind::Number, TokenKind::Parameter, TokenKind::Parameter,
                                    TokenKind::Parameter, TokenKind::Parameter, TokenKind::Parameter,
                                    TokenKind::Parameter, TokenKind::Word, TokenKind::Operator, TokenKind::Word,
                                    TokenKind::Operator, TokenKind::Operator, TokenKind::Operator,
                                    TokenKind::Operator, TokenKind::Operator, TokenKind::Operator,
                                    TokenKind::Word, TokenKind::End}));
  EXPECT_EQ(tokens[12].text, "::");
  EXPECT_EQ(tokens[19].text, "->>");
  EXPECT_EQ(tokens[20].text, "#temp");
}

TEST(Tokenizer, UnterminatedTextIsReportedWhereItStarts) {
  EXPECT_EQ(problem("SELECT 'abc"), "Syntax error at line 1, column 8: the string is not closed with '");
  EXPECT_EQ(problem("SELECT\n  \"abc"), "Syntax error at line 2, column 3: the quoted name is not closed with \"");
  EXPECT_EQ(problem("SELECT [abc FROM t"), "Syntax error at line 1, column 8: the quoted name is not closed with ]");
  EXPECT_EQ(problem("SELECT `abc"), "Syntax error at line 1, column 8: the quoted name is not closed with `");
  EXPECT_EQ(problem("SELECT 1 /* never closed"), "Syntax error at line 1, column 10: the comment is not closed with */");
  EXPECT_EQ(problem("SELECT $x$ abc"), "Syntax error at line 1, column 8: the string is not closed with $x$");
}

TEST(Tokenizer, CharactersNoDialectAllowsAreRejected) {
  EXPECT_EQ(problem("SELECT a ] FROM t"), "Syntax error at line 1, column 10: ']' without a matching '['");
  EXPECT_EQ(problem("SELECT \\x"), "Syntax error at line 1, column 8: unexpected character '\\'");
  EXPECT_EQ(problem("SELECT 12abc"), "Syntax error at line 1, column 10: a number runs into a name");
  EXPECT_EQ(problem("SELECT []"), "accepted");  // the array suffix of INTEGER[]
  EXPECT_EQ(problem("SELECT [ ]"), "accepted");
}

}  // namespace
}  // namespace tavrello::builder
