#include <utility>

#include "platform/builder/keywords.h"
#include "platform/builder/parser_impl.h"
#include "platform/builder/syntax_error.h"

namespace tavrello::builder::detail {

Parser::Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

void Parser::nest() {
  if (++nesting_ > kMaxNesting) {
    fail(peek(), "the statement nests too deeply (more than " + std::to_string(kMaxNesting) +
                     " levels of brackets and subqueries)");
  }
  deeper();
}

void Parser::deeper() {
  if (++depth_ > kMaxDepth) {
    fail(peek(), "the statement nests too deeply (more than " + std::to_string(kMaxDepth) +
                     " levels of operators, brackets and subqueries)");
  }
}

void Parser::checkBrackets() const {
  std::vector<const Token*> open;
  for (const Token& token : tokens_) {
    if (token.isOperator("(")) {
      open.push_back(&token);
    } else if (token.isOperator(")")) {
      if (open.empty()) throw syntaxError(token.position, "')' without a matching '('");
      open.pop_back();
    }
  }
  if (!open.empty()) throw syntaxError(open.back()->position, "'(' is never closed with ')'");
}

const Token& Parser::peek(std::size_t ahead) const {
  std::size_t at = pos_ + ahead;
  return at < tokens_.size() ? tokens_[at] : tokens_.back();
}

const Token& Parser::next() {
  const Token& token = peek();
  if (pos_ + 1 < tokens_.size()) ++pos_;
  return token;
}

bool Parser::acceptWord(const char* upperWord) {
  if (!atWord(upperWord)) return false;
  next();
  return true;
}

bool Parser::acceptOperator(const char* op) {
  if (!atOperator(op)) return false;
  next();
  return true;
}

void Parser::expectWord(const char* upperWord) {
  if (!acceptWord(upperWord)) expected(upperWord);
}

void Parser::expectOperator(const char* op) {
  if (!acceptOperator(op)) expected(std::string("'") + op + "'");
}

void Parser::fail(const Token& at, const std::string& problem) const { throw syntaxError(at.position, problem); }

void Parser::expected(const std::string& what) const {
  fail(peek(), "expected " + what + ", found " + describeToken(peek()));
}

bool Parser::atIdentifier(std::size_t ahead) const {
  const Token& token = peek(ahead);
  return token.kind == TokenKind::Quoted || (token.kind == TokenKind::Word && !isReservedWord(token.value));
}

Identifier Parser::parseIdentifier(const char* what) {
  if (!atIdentifier()) expected(what);
  const Token& token = next();
  if (token.kind == TokenKind::Quoted) return {token.value, token.quote};
  return {token.text, QuoteStyle::None};
}

std::vector<Identifier> Parser::parseIdentifierList() {
  std::vector<Identifier> names;
  expectOperator("(");
  do {
    names.push_back(parseIdentifier("a column name"));
  } while (acceptOperator(","));
  expectOperator(")");
  return names;
}

bool Parser::parseOptionalAlias(Identifier& alias, bool allowString) {
  bool written = acceptWord("AS");
  if (allowString && peek().kind == TokenKind::String && peek().text.front() == '\'') {
    // 'Total' used as a column alias (MariaDB, SQL Server): keep the quotes.
    const Token& token = next();
    std::string value;
    for (std::size_t i = 1; i + 1 < token.text.size(); ++i) {
      value += token.text[i];
      if (token.text[i] == '\'' && token.text[i + 1] == '\'') ++i;
    }
    // As with the other quotes: an empty alias is no alias, and would be lost.
    if (value.empty()) fail(token, "a quoted name cannot be empty");
    alias = {value, QuoteStyle::Single};
    return true;
  }
  if (atIdentifier()) {
    alias = parseIdentifier("an alias");
    return true;
  }
  if (written) expected("an alias after AS");
  return false;
}

Expr makeNode(ExprKind kind, std::string text) {
  Expr e;
  e.kind = kind;
  e.text = std::move(text);
  return e;
}

Expr makeUnary(std::string op, Expr operand) {
  Expr e = makeNode(ExprKind::Unary, std::move(op));
  e.args.push_back(std::move(operand));
  return e;
}

Expr makeBinary(std::string op, Expr left, Expr right) {
  Expr e = makeNode(ExprKind::Binary, std::move(op));
  e.args.push_back(std::move(left));
  e.args.push_back(std::move(right));
  return e;
}

}  // namespace tavrello::builder::detail
