#include <array>
#include <string_view>

#include "platform/builder/keywords.h"
#include "platform/builder/parser_impl.h"
#include "platform/builder/text_util.h"

namespace tavrello::builder::detail {

namespace {

constexpr std::array<std::string_view, 6> kArgumentKeywords = {"FROM", "FOR", "IN", "USING", "PLACING", "SEPARATOR"};
constexpr std::array<std::string_view, 3> kTrimKeywords = {"BOTH", "LEADING", "TRAILING"};

}  // namespace

Expr Parser::parseCallArguments(Name name) {
  expectOperator("(");
  if (name.size() == 1 && name[0].quote == QuoteStyle::None) {
    std::string upper = toUpper(name[0].name);
    if (isUpperCasedFunction(upper) || isNiladicValue(upper)) name[0].name = upper;
  }
  Expr e = makeNode(ExprKind::Function);
  e.name = std::move(name);
  Call call;
  if (acceptWord("DISTINCT")) {
    call.quantifier = "DISTINCT";
  } else if (atWord("ALL") && !atOperator("(", 1)) {
    next();
    call.quantifier = "ALL";
  }
  bool hasOrderBy = false;
  while (!atOperator(")")) {
    std::string keywords;
    auto atKeyword = [&] {
      const Token& k = peek();
      if (!isWordToken(k)) return false;
      return oneOf(kArgumentKeywords, k.value) || (call.args.empty() && oneOf(kTrimKeywords, k.value));
    };
    std::string_view lastKeyword;
    while (atKeyword()) {
      if (!keywords.empty()) keywords += ' ';
      lastKeyword = next().value;
      keywords += lastKeyword;
    }
    // A query after IN is bracketed, and then it is IN's list: "f(a IN
    // (SELECT b))" is one predicate, so "f(a IN SELECT b)" has no reading.
    if (lastKeyword == "IN" && atQueryStart()) expected("'(' before a query after IN");
    if (atQueryStart()) {
      // A bare query stands for the bracketed one the formatter writes, and
      // what follows it reads as it would after the bracket: "f(SELECT 1 AS
      // x IN (1))" is "f((SELECT 1 AS x) IN (1))".
      const Nested level(*this);
      Expr sub = makeNode(ExprKind::Subquery);
      sub.query = parseQuery();
      while (parseInfix(sub, 0)) deeper();
      call.args.push_back(std::move(sub));
    } else {
      call.args.push_back(parseExpr());
    }
    call.keywords.push_back(std::move(keywords));
    if (!hasOrderBy && atWord("ORDER") && atWord("BY", 1)) {
      next();
      next();
      call.orderBy = parseOrderList();
      call.orderByAfter = call.args.size();
      hasOrderBy = true;
    }
    if (acceptOperator(",")) {
      // A keyword stands instead of a comma ("a FROM b"), never after one.
      if (atOperator(")") || atKeyword()) expected("an argument after ','");
      continue;
    }
    if (atOperator(")") || atKeyword()) continue;
    expected("',' or ')' in the argument list");
  }
  next();
  parseCallSuffixes(call);
  e.call = std::move(call);
  return e;
}

void Parser::parseCallSuffixes(Call& call) {
  if (atWord("WITHIN") && atWord("GROUP", 1)) {
    next();
    next();
    expectOperator("(");
    expectWord("ORDER");
    expectWord("BY");
    call.withinGroup = true;
    call.withinGroupOrder = parseOrderList();
    expectOperator(")");
  }
  if (atWord("FILTER") && atOperator("(", 1)) {
    next();
    next();
    expectWord("WHERE");
    call.filter = parseExpr();
    expectOperator(")");
  }
  if (acceptWord("OVER")) {
    if (atOperator("(")) {
      call.over = parseWindowSpec();
    } else {
      WindowSpec spec;
      spec.parenthesized = false;
      spec.name = parseIdentifier("a window name or '(' after OVER");
      call.over = std::move(spec);
    }
  }
}

WindowSpec Parser::parseWindowSpec() {
  expectOperator("(");
  WindowSpec spec;
  if (atIdentifier() && !atWord("PARTITION") && !atWord("ROWS") && !atWord("RANGE") && !atWord("GROUPS")) {
    spec.name = parseIdentifier("a window name");
  }
  if (acceptWord("PARTITION")) {
    expectWord("BY");
    spec.partitionBy = parseExprList();
  }
  if (acceptWord("ORDER")) {
    expectWord("BY");
    spec.orderBy = parseOrderList();
  }
  if (atWord("ROWS") || atWord("RANGE") || atWord("GROUPS")) {
    spec.frameUnits = next().value;
    if (acceptWord("BETWEEN")) {
      spec.frameBetween = true;
      spec.frameStart = parseFrameBound();
      expectWord("AND");
      spec.frameEnd = parseFrameBound();
    } else {
      spec.frameStart = parseFrameBound();
    }
  }
  expectOperator(")");
  return spec;
}

FrameBound Parser::parseFrameBound() {
  FrameBound bound;
  if (acceptWord("UNBOUNDED")) {
    if (atWord("PRECEDING") || atWord("FOLLOWING")) {
      bound.kind = "UNBOUNDED " + next().value;
      return bound;
    }
    expected("PRECEDING or FOLLOWING");
  }
  if (acceptWord("CURRENT")) {
    expectWord("ROW");
    bound.kind = "CURRENT ROW";
    return bound;
  }
  bound.offset = parseExpr(kNot);
  if (!atWord("PRECEDING") && !atWord("FOLLOWING")) expected("PRECEDING or FOLLOWING");
  bound.kind = next().value;
  return bound;
}

}  // namespace tavrello::builder::detail
