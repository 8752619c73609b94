#include <array>
#include <string_view>

#include "platform/builder/parser_impl.h"

namespace tavrello::builder::detail {

namespace {

constexpr std::array<std::string_view, 6> kTypeContinuations = {"PRECISION", "VARYING",  "INTEGER",
                                                                "INT",       "UNSIGNED", "ZEROFILL"};

}  // namespace

TypeName Parser::parseType() {
  TypeName type;
  auto takeWord = [&] {
    const Token& t = next();
    if (t.kind == TokenKind::Quoted) return Identifier{t.value, t.quote};
    return Identifier{t.value, QuoteStyle::None};
  };
  if (peek().kind != TokenKind::Word && peek().kind != TokenKind::Quoted) expected("a type name");
  type.name.push_back(takeWord());
  while (atOperator(".") && (peek(1).kind == TokenKind::Word || peek(1).kind == TokenKind::Quoted)) {
    next();
    type.name.push_back(takeWord());
  }
  while (true) {
    if ((atWord("WITH") || atWord("WITHOUT")) && atWord("TIME", 1) && atWord("ZONE", 2)) {
      for (int i = 0; i < 3; ++i) type.moreWords.push_back(next().value);
    } else if (isWordToken(peek()) && oneOf(kTypeContinuations, peek().value)) {
      type.moreWords.push_back(next().value);
    } else {
      break;
    }
  }
  if (acceptOperator("(")) {
    type.params = parseExprList();
    expectOperator(")");
  }
  while (acceptOperator("[]")) ++type.arrayDimensions;
  return type;
}

}  // namespace tavrello::builder::detail
