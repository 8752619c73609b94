#include "platform/builder/parser_impl.h"

namespace tavrello::builder::detail {

FromItem Parser::parseFromItem() {
  const Nested level(*this);
  FromItem item;
  item.first = parseSource();
  while (true) {
    JoinStep step;
    step.natural = acceptWord("NATURAL");
    bool needsCondition = true;
    if (acceptWord("JOIN")) {
      step.type = JoinType::Inner;
    } else if (acceptWord("INNER")) {
      expectWord("JOIN");
      step.type = JoinType::Inner;
    } else if (atWord("LEFT") || atWord("RIGHT") || atWord("FULL")) {
      std::string side = next().value;
      step.type = side == "LEFT" ? JoinType::Left : side == "RIGHT" ? JoinType::Right : JoinType::Full;
      acceptWord("OUTER");
      expectWord("JOIN");
    } else if (acceptWord("CROSS")) {
      if (acceptWord("APPLY")) {
        step.type = JoinType::CrossApply;
      } else {
        expectWord("JOIN");
        step.type = JoinType::Cross;
      }
      needsCondition = false;
    } else if (atWord("OUTER") && atWord("APPLY", 1)) {
      next();
      next();
      step.type = JoinType::OuterApply;
      needsCondition = false;
    } else {
      if (step.natural) expected("JOIN after NATURAL");
      return item;
    }
    step.source = parseSource();
    if (needsCondition && !step.natural) {
      if (acceptWord("ON")) {
        step.on = parseExpr();
      } else if (acceptWord("USING")) {
        step.usingColumns = parseIdentifierList();
      }
    }
    item.joins.push_back(std::move(step));
  }
}

TableSource Parser::parseSource() {
  TableSource source;
  source.lateral = acceptWord("LATERAL");
  if (acceptOperator("(")) {
    if (atQueryStart()) {
      source.kind = TableSource::Kind::Subquery;
      source.query = parseQuery();
    } else {
      source.kind = TableSource::Kind::Nested;
      source.nested = parseFromItem();
    }
    expectOperator(")");
  } else {
    if (!atIdentifier()) expected("a table name");
    source.name.push_back(parseIdentifier("a table name"));
    while (acceptOperator(".")) {
      if (peek().kind != TokenKind::Word && peek().kind != TokenKind::Quoted) expected("a name after '.'");
      const Token& t = next();
      source.name.push_back(t.kind == TokenKind::Quoted ? Identifier{t.value, t.quote}
                                                        : Identifier{t.text, QuoteStyle::None});
    }
    if (atOperator("(")) {
      source.kind = TableSource::Kind::Function;
      source.function = parseCallArguments(std::move(source.name));
      source.name.clear();
      if (atWord("WITH") && atWord("ORDINALITY", 1)) {
        next();
        next();
        source.withOrdinality = true;
      }
    }
  }
  if (parseOptionalAlias(source.alias, false) && atOperator("(")) {
    source.columnAliases = parseIdentifierList();
  }
  if (atWord("WITH") && atOperator("(", 1)) {
    next();
    next();
    source.hints = parseExprList();
    expectOperator(")");
  }
  return source;
}

}  // namespace tavrello::builder::detail
