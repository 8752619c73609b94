#pragma once

// The recursive-descent parser behind parser.h, split over
// parser_cursor.cpp (token access and errors), expression_parser.cpp,
// call_parser.cpp (function calls and windows), type_parser.cpp,
// query_parser.cpp and source_parser.cpp. Not part of the component's
// interface.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/builder/ast.h"
#include "platform/builder/token.h"

namespace tavrello::builder::detail {

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens);

  // Fails at the first bracket that has no partner, naming its position.
  void checkBrackets() const;

  // Token access.
  const Token& peek(std::size_t ahead = 0) const;
  const Token& next();
  bool atEnd() const { return peek().kind == TokenKind::End; }
  bool atWord(const char* upperWord, std::size_t ahead = 0) const { return peek(ahead).isWord(upperWord); }
  bool atOperator(const char* op, std::size_t ahead = 0) const { return peek(ahead).isOperator(op); }
  bool acceptWord(const char* upperWord);
  bool acceptOperator(const char* op);
  void expectWord(const char* upperWord);
  void expectOperator(const char* op);
  [[noreturn]] void fail(const Token& at, const std::string& problem) const;
  [[noreturn]] void expected(const std::string& what) const;

  // Names.
  bool atIdentifier(std::size_t ahead = 0) const;
  Identifier parseIdentifier(const char* what);
  std::vector<Identifier> parseIdentifierList();
  bool parseOptionalAlias(Identifier& alias, bool allowString);

  // Queries (query_parser.cpp).
  bool atQueryStart(std::size_t ahead = 0) const;
  Query parseQuery();
  QueryTerm parseTerm();
  SelectCore parseSelectCore();
  std::vector<OrderItem> parseOrderList();
  void parseLimit(Query& query);

  // FROM clause (source_parser.cpp).
  FromItem parseFromItem();
  TableSource parseSource();

  // Expressions (expression_parser.cpp).
  Expr parseExpr(int minPrecedence = 0);
  std::vector<Expr> parseExprList();
  TypeName parseType();
  WindowSpec parseWindowSpec();

 private:
  Expr parsePrefix();
  Expr parsePrimary();
  Expr parseNameOrCall();
  Expr parseCallArguments(Name name);
  void parseCallSuffixes(Call& call);
  Expr parseCase();
  bool parseInfix(Expr& left, int minPrecedence);
  FrameBound parseFrameBound();

  // Two bounds keep a statement from exhausting the stack. The parser's own
  // recursion: one level for each expression, query or FROM item being
  // parsed, at most kMaxNesting (each level is a few large frames). The
  // depth of the tree, which every walk of it (the formatter, comparisons,
  // destruction) recurses through: those levels and one for each operator
  // that took the expression on its left as an operand, at most kMaxDepth,
  // which leaves room for a long chain of alternatives as tools write them.
  static constexpr std::size_t kMaxNesting = 250;
  static constexpr std::size_t kMaxDepth = 2000;
  class Nested {
   public:
    explicit Nested(Parser& parser) : parser_(parser), nesting_(parser.nesting_), depth_(parser.depth_) {
      parser.nest();
    }
    ~Nested() {
      parser_.nesting_ = nesting_;
      parser_.depth_ = depth_;
    }
    Nested(const Nested&) = delete;
    Nested& operator=(const Nested&) = delete;

   private:
    Parser& parser_;
    std::size_t nesting_;
    std::size_t depth_;
  };
  void nest();
  void deeper();

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  std::size_t nesting_ = 0;
  std::size_t depth_ = 0;
};

// Binding strength of the operators, weakest first. The exact ranking
// differs a little between databases; statements keep their parentheses
// as written, so the ranking only decides how a written statement is split.
enum Precedence {
  kOr = 1,
  kXor,
  kAnd,
  kNot,
  kCompare,
  kBitwise,
  kConcat,
  kAdditive,
  kMultiplicative,
  kPower,
  kUnary,
  kPostfix,
};

// Small helpers shared by the parser's files.
template <std::size_t N>
bool oneOf(const std::array<std::string_view, N>& words, std::string_view word) {
  for (std::string_view w : words) {
    if (w == word) return true;
  }
  return false;
}
inline bool isWordToken(const Token& t) { return t.kind == TokenKind::Word; }
inline Identifier identifierFrom(const Token& token) {
  if (token.kind == TokenKind::Quoted) return {token.value, token.quote};
  return {token.text, QuoteStyle::None};
}

// Builders for small nodes.
Expr makeNode(ExprKind kind, std::string text = {});
Expr makeUnary(std::string op, Expr operand);
Expr makeBinary(std::string op, Expr left, Expr right);

}  // namespace tavrello::builder::detail
