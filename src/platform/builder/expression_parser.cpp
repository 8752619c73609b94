#include <array>
#include <string_view>

#include "platform/builder/keywords.h"
#include "platform/builder/parser_impl.h"
#include "platform/builder/text_util.h"

namespace tavrello::builder::detail {

namespace {

constexpr std::array<std::string_view, 19> kComparisonOperators = {
    "=", "==", "<>", "!=", "<", ">", "<=", ">=", "<=>", "~", "~*", "!~", "!~*", "~~", "~~*", "!~~", "@>", "<@", "&&"};
constexpr std::array<std::string_view, 7> kLikeWords = {"LIKE", "ILIKE", "GLOB", "REGEXP", "RLIKE", "MATCH", "SIMILAR"};
// Reserved words that still name functions when a '(' follows.
constexpr std::array<std::string_view, 8> kReservedFunctionNames = {"LEFT", "RIGHT", "MOD",    "ISNULL",
                                                                    "GLOB", "LIKE",  "REGEXP", "MATCH"};
constexpr std::array<std::string_view, 15> kIntervalUnits = {
    "YEAR",   "MONTH",       "DAY",         "HOUR",      "MINUTE",     "SECOND",     "WEEK",         "QUARTER",
    "MICROSECOND", "MILLISECOND", "TO", "YEAR_MONTH", "DAY_HOUR", "DAY_MINUTE", "HOUR_MINUTE"};
constexpr std::array<std::string_view, 4> kTypedLiteralWords = {"DATE", "TIME", "TIMESTAMP", "TIMESTAMPTZ"};

}  // namespace

Expr Parser::parseExpr(int minPrecedence) {
  const Nested level(*this);
  Expr left = parsePrefix();
  while (parseInfix(left, minPrecedence)) deeper();
  return left;
}

std::vector<Expr> Parser::parseExprList() {
  std::vector<Expr> list;
  do {
    list.push_back(parseExpr());
  } while (acceptOperator(","));
  return list;
}

Expr Parser::parsePrefix() {
  if (atWord("NOT")) {
    next();
    return makeUnary("NOT", parseExpr(kNot));
  }
  if (atOperator("-") || atOperator("+") || atOperator("~")) {
    std::string op = next().text;
    return makeUnary(op, parseExpr(kUnary));
  }
  return parsePrimary();
}

bool Parser::parseInfix(Expr& left, int minPrecedence) {
  const Token& t = peek();
  auto binary = [&](int precedence, std::string op) {
    if (precedence < minPrecedence) return false;
    next();
    Expr right = parseExpr(precedence + 1);
    left = makeBinary(std::move(op), std::move(left), std::move(right));
    return true;
  };

  if (t.kind == TokenKind::Operator) {
    std::string_view op = t.text;
    if (oneOf(kComparisonOperators, op)) return binary(kCompare, t.text);
    if (op == "|" || op == "&" || op == "<<" || op == ">>" || op == "#") return binary(kBitwise, t.text);
    if (op == "||") return binary(kConcat, t.text);
    if (op == "+" || op == "-") return binary(kAdditive, t.text);
    if (op == "*" || op == "/" || op == "%") return binary(kMultiplicative, t.text);
    if (op == "^") return binary(kPower, t.text);
    if (op == "->" || op == "->>" || op == "#>" || op == "#>>") return binary(kPostfix, t.text);
    if (op == "::") {
      if (kPostfix < minPrecedence) return false;
      next();
      Expr cast = makeNode(ExprKind::DoubleColonCast);
      cast.args.push_back(std::move(left));
      cast.type = parseType();
      left = std::move(cast);
      return true;
    }
    return false;
  }
  if (!isWordToken(t)) return false;

  const std::string& word = t.value;
  if (word == "OR") return binary(kOr, "OR");
  if (word == "XOR") return binary(kXor, "XOR");
  if (word == "AND") return binary(kAnd, "AND");
  if (word == "DIV" || word == "MOD") return binary(kMultiplicative, word);
  if (word == "COLLATE") {
    if (kPostfix < minPrecedence) return false;
    next();
    Expr collate = makeNode(ExprKind::Collate);
    collate.args.push_back(std::move(left));
    do {
      if (peek().kind != TokenKind::Word && peek().kind != TokenKind::Quoted) expected("a collation name");
      collate.name.push_back(identifierFrom(next()));
    } while (acceptOperator("."));
    left = std::move(collate);
    return true;
  }
  if (kCompare < minPrecedence) return false;

  if (word == "IS") {
    next();
    Expr is = makeNode(ExprKind::Is);
    is.negated = acceptWord("NOT");
    is.args.push_back(std::move(left));
    if (acceptWord("DISTINCT")) {
      expectWord("FROM");
      is.text = "DISTINCT FROM";
      is.args.push_back(parseExpr(kCompare + 1));
    } else if (atWord("NULL") || atWord("TRUE") || atWord("FALSE") || atWord("UNKNOWN")) {
      is.text = next().value;
    } else {
      expected("NULL, TRUE, FALSE, UNKNOWN or DISTINCT FROM after IS");
    }
    left = std::move(is);
    return true;
  }
  if (word == "ISNULL" || word == "NOTNULL") {
    next();
    Expr postfix = makeNode(ExprKind::Postfix, word);
    postfix.args.push_back(std::move(left));
    left = std::move(postfix);
    return true;
  }

  // The predicates that may carry NOT: [NOT] LIKE/BETWEEN/IN.
  std::size_t at = 0;
  bool negated = false;
  if (word == "NOT") {
    negated = true;
    at = 1;
  }
  const Token& predicate = peek(at);
  if (!isWordToken(predicate)) return false;
  const std::string& name = predicate.value;

  if (oneOf(kLikeWords, name)) {
    pos_ += at;
    next();
    Expr like = makeNode(ExprKind::Like, name);
    if (name == "SIMILAR") {
      expectWord("TO");
      like.text = "SIMILAR TO";
    }
    like.negated = negated;
    like.args.push_back(std::move(left));
    like.args.push_back(parseExpr(kCompare + 1));
    if (acceptWord("ESCAPE")) like.args.push_back(parseExpr(kCompare + 1));
    left = std::move(like);
    return true;
  }
  if (name == "BETWEEN") {
    pos_ += at;
    next();
    Expr between = makeNode(ExprKind::Between, acceptWord("SYMMETRIC") ? "SYMMETRIC" : "");
    between.negated = negated;
    between.args.push_back(std::move(left));
    between.args.push_back(parseExpr(kCompare + 1));
    expectWord("AND");
    between.args.push_back(parseExpr(kCompare + 1));
    left = std::move(between);
    return true;
  }
  if (name == "IN" && atOperator("(", at + 1)) {
    // Without a '(' IN belongs to POSITION(a IN b) and ends the expression.
    pos_ += at;
    next();
    next();
    Expr in;
    if (atQueryStart()) {
      in = makeNode(ExprKind::InQuery);
      in.args.push_back(std::move(left));
      in.query = parseQuery();
    } else {
      in = makeNode(ExprKind::InList);
      in.args.push_back(std::move(left));
      if (!atOperator(")")) {
        for (Expr& item : parseExprList()) in.args.push_back(std::move(item));
      }
    }
    expectOperator(")");
    in.negated = negated;
    left = std::move(in);
    return true;
  }
  return false;
}

Expr Parser::parsePrimary() {
  const Token& t = peek();
  switch (t.kind) {
    case TokenKind::Number:
    case TokenKind::String:
      return makeNode(ExprKind::Literal, next().text);
    case TokenKind::Parameter:
      return makeNode(ExprKind::Parameter, next().text);
    case TokenKind::Quoted:
      return parseNameOrCall();
    case TokenKind::Operator:
      if (t.text == "(") {
        next();
        Expr e;
        if (atQueryStart()) {
          e = makeNode(ExprKind::Subquery);
          e.query = parseQuery();
        } else {
          // "()" is the empty grouping set of GROUP BY GROUPING SETS.
          e = makeNode(ExprKind::Paren);
          if (!atOperator(")")) e.args = parseExprList();
        }
        expectOperator(")");
        return e;
      }
      if (t.text == "*") {
        next();
        return makeNode(ExprKind::Star);
      }
      expected("an expression");
    case TokenKind::End:
      expected("an expression");
    case TokenKind::Word:
      break;
  }

  const std::string& word = t.value;
  if (word == "NULL" || word == "TRUE" || word == "FALSE") return makeNode(ExprKind::Literal, next().value);
  if (word == "CASE") return parseCase();
  if (word == "EXISTS") {
    next();
    expectOperator("(");
    Expr e = makeNode(ExprKind::Exists);
    e.query = parseQuery();
    expectOperator(")");
    return e;
  }
  if ((word == "CAST" || word == "TRY_CAST" || word == "SAFE_CAST") && atOperator("(", 1)) {
    next();
    next();
    Expr e = makeNode(ExprKind::Cast, word);
    e.args.push_back(parseExpr());
    expectWord("AS");
    e.type = parseType();
    expectOperator(")");
    return e;
  }
  if ((word == "ANY" || word == "ALL" || word == "SOME") && atOperator("(", 1)) {
    next();
    next();
    Expr e = makeNode(ExprKind::Quantified, word);
    if (atQueryStart()) {
      e.query = parseQuery();
    } else {
      e.args.push_back(parseExpr());
    }
    expectOperator(")");
    return e;
  }
  const Token& after = peek(1);
  if (word == "INTERVAL" && (after.kind == TokenKind::String || after.kind == TokenKind::Number ||
                             after.kind == TokenKind::Parameter || after.isOperator("(") ||
                             after.isOperator("-"))) {
    next();
    Expr e = makeNode(ExprKind::Interval);
    e.args.push_back(parsePrefix());
    std::string units;
    while (isWordToken(peek()) && oneOf(kIntervalUnits, peek().value)) {
      if (!units.empty()) units += ' ';
      units += next().value;
    }
    e.text = units;
    return e;
  }
  if (oneOf(kTypedLiteralWords, word) && after.kind == TokenKind::String) {
    next();
    Expr e = makeNode(ExprKind::TypedLiteral, word);
    e.args.push_back(makeNode(ExprKind::Literal, next().text));
    return e;
  }
  if (word == "GROUPING" && after.isWord("SETS") && atOperator("(", 2)) {
    next();
    next();
    return parseCallArguments({Identifier{"GROUPING SETS", QuoteStyle::None}});
  }
  if (isReservedWord(word) && !(oneOf(kReservedFunctionNames, word) && after.isOperator("("))) {
    expected("an expression");
  }
  return parseNameOrCall();
}

Expr Parser::parseNameOrCall() {
  Name name{identifierFrom(next())};
  while (atOperator(".")) {
    if (atOperator("*", 1)) {
      next();
      next();
      Expr star = makeNode(ExprKind::Star);
      star.name = std::move(name);
      return star;
    }
    next();
    if (peek().kind != TokenKind::Word && peek().kind != TokenKind::Quoted) expected("a name after '.'");
    name.push_back(identifierFrom(next()));
  }
  if (atOperator("(")) return parseCallArguments(std::move(name));
  Expr column = makeNode(ExprKind::Column);
  if (name.size() == 1 && name[0].quote == QuoteStyle::None && isNiladicValue(toUpper(name[0].name))) {
    name[0].name = toUpper(name[0].name);
  }
  column.name = std::move(name);
  return column;
}

Expr Parser::parseCase() {
  next();
  Expr e = makeNode(ExprKind::Case);
  e.args.push_back(atWord("WHEN") ? makeNode(ExprKind::Empty) : parseExpr());
  e.args.push_back(makeNode(ExprKind::Empty));
  if (!atWord("WHEN")) expected("WHEN");
  while (acceptWord("WHEN")) {
    e.args.push_back(parseExpr());
    expectWord("THEN");
    e.args.push_back(parseExpr());
  }
  if (acceptWord("ELSE")) e.args[1] = parseExpr();
  expectWord("END");
  return e;
}

}  // namespace tavrello::builder::detail
