#include "platform/builder/parser.h"

#include "platform/builder/parser_impl.h"
#include "platform/builder/syntax_error.h"
#include "platform/builder/tokenizer.h"

namespace tavrello::builder {

namespace {

void expectEnd(detail::Parser& parser, const char* what) {
  if (!parser.atEnd()) {
    parser.fail(parser.peek(), describeToken(parser.peek()) + " cannot follow " + what + " here");
  }
}

}  // namespace

std::optional<Query> parseStatement(std::string_view text) {
  detail::Parser parser(tokenize(text));
  parser.checkBrackets();
  while (parser.acceptOperator(";")) {
  }
  if (parser.atEnd()) return std::nullopt;
  if (!parser.atQueryStart() && !parser.atOperator("(")) {
    parser.fail(parser.peek(), "the statement is not a query: it begins with " + describeToken(parser.peek()) +
                                   " instead of SELECT, WITH or VALUES");
  }
  Query query = parser.parseQuery();
  while (parser.acceptOperator(";")) {
  }
  expectEnd(parser, "the statement");
  return query;
}

Expr parseExpression(std::string_view text) {
  detail::Parser parser(tokenize(text));
  parser.checkBrackets();
  Expr expr = parser.parseExpr();
  expectEnd(parser, "the expression");
  return expr;
}

Identifier parseAlias(std::string_view text) {
  detail::Parser parser(tokenize(text));
  Identifier alias = parser.parseIdentifier("a name");
  expectEnd(parser, "the name");
  return alias;
}

}  // namespace tavrello::builder
