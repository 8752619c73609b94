#include "platform/builder/tokenizer.h"

#include <array>

#include "platform/builder/syntax_error.h"
#include "platform/builder/text_util.h"

namespace tavrello::builder {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isWordStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}
bool isWordPart(char c) { return isWordStart(c) || isDigit(c) || c == '$' || c == '#'; }

// Longest first, so that "->>" wins over "->" and "<=>" over "<=". Each is
// two or three characters long.
constexpr std::array<std::string_view, 27> kOperators = {
    "->>", "#>>", "<=>", "!~*", "~~*", "!~~", "::", "<>", "!=", "<=", ">=", "||", "->", "==",
    "<<",  ">>",  "@>",  "<@",  "~*",  "!~",  "~~", "&&", "#>", "+=", "-=", "*=", "/="};
constexpr std::string_view kSingleOperators = "+-*/%=<>(),.;~&|^!:";

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  std::vector<Token> run() {
    std::vector<Token> tokens;
    while (true) {
      skipSpaceAndComments();
      Token token;
      token.position = here();
      if (atEnd()) {
        token.kind = TokenKind::End;
        tokens.push_back(std::move(token));
        return tokens;
      }
      scanToken(token);
      token.text = std::string(text_.substr(token.position.offset, pos_ - token.position.offset));
      if (token.kind == TokenKind::Word) token.value = toUpper(token.text);
      tokens.push_back(std::move(token));
    }
  }

 private:
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek(std::size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  SourcePosition here() const { return {line_, column_, pos_}; }

  void advance(std::size_t count = 1) {
    for (std::size_t i = 0; i < count && !atEnd(); ++i) {
      char c = text_[pos_++];
      if (c == '\n') {
        ++line_;
        column_ = 1;
      } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
        ++column_;
      }
    }
  }

  void skipSpaceAndComments() {
    while (!atEnd()) {
      char c = peek();
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
        advance();
      } else if (c == '-' && peek(1) == '-') {
        while (!atEnd() && peek() != '\n') advance();
      } else if (c == '/' && peek(1) == '*') {
        SourcePosition start = here();
        advance(2);
        while (!(peek() == '*' && peek(1) == '/')) {
          if (atEnd()) throw syntaxError(start, "the comment is not closed with */");
          advance();
        }
        advance(2);
      } else {
        return;
      }
    }
  }

  // Scans up to the closing quote; a doubled closing quote stands for itself.
  // With backslashEscapes (PostgreSQL E'' strings) a backslash protects the
  // next character.
  void scanQuoted(char close, const SourcePosition& start, const char* what, bool backslashEscapes) {
    advance();  // opening quote
    while (true) {
      if (atEnd()) throw syntaxError(start, std::string(what) + " is not closed with " + close);
      char c = peek();
      if (backslashEscapes && c == '\\') {
        advance(2);
      } else if (c == close) {
        advance();
        if (peek() != close) return;
        advance();
      } else {
        advance();
      }
    }
  }

  void scanQuotedIdentifier(Token& token, char close, QuoteStyle style) {
    token.kind = TokenKind::Quoted;
    token.quote = style;
    std::size_t begin = pos_ + 1;
    scanQuoted(close, token.position, "the quoted name", false);
    std::string raw(text_.substr(begin, pos_ - begin - 1));
    std::string value;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      value += raw[i];
      if (raw[i] == close && i + 1 < raw.size() && raw[i + 1] == close) ++i;
    }
    if (value.empty()) throw syntaxError(token.position, "a quoted name cannot be empty");
    token.value = std::move(value);
  }

  bool scanDollarQuote(Token& token) {
    // $tag$ ... $tag$ where the tag is empty or a word.
    std::size_t end = pos_ + 1;
    while (end < text_.size() && (isWordStart(text_[end]) || (end > pos_ + 1 && isDigit(text_[end])))) ++end;
    if (end >= text_.size() || text_[end] != '$') return false;
    std::string_view tag = text_.substr(pos_, end - pos_ + 1);
    std::size_t close = text_.find(tag, end + 1);
    if (close == std::string_view::npos) throw syntaxError(token.position, "the string is not closed with " + std::string(tag));
    token.kind = TokenKind::String;
    advance(close + tag.size() - pos_);
    return true;
  }

  void scanNumber(Token& token) {
    token.kind = TokenKind::Number;
    if (peek() == '0' && (peek(1) == 'x' || peek(1) == 'X')) {
      advance(2);
      while (isDigit(peek()) || (peek() >= 'a' && peek() <= 'f') || (peek() >= 'A' && peek() <= 'F')) advance();
    } else {
      while (isDigit(peek())) advance();
      if (peek() == '.') {
        advance();
        while (isDigit(peek())) advance();
      }
      if ((peek() == 'e' || peek() == 'E') &&
          (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
        advance(2);
        while (isDigit(peek())) advance();
      }
    }
    if (isWordStart(peek())) throw syntaxError(here(), "a number runs into a name");
  }

  void scanToken(Token& token) {
    char c = peek();
    // String prefixes: N'..' (national), E'..' (escapes), X'..' (hex), B'..' (bits).
    if ((c == 'N' || c == 'n' || c == 'E' || c == 'e' || c == 'X' || c == 'x' || c == 'B' || c == 'b') &&
        peek(1) == '\'') {
      bool escapes = (c == 'E' || c == 'e');
      advance();
      token.kind = TokenKind::String;
      scanQuoted('\'', token.position, "the string", escapes);
      return;
    }
    if (c == '\'') {
      token.kind = TokenKind::String;
      scanQuoted('\'', token.position, "the string", false);
      return;
    }
    if (c == '"') return scanQuotedIdentifier(token, '"', QuoteStyle::Double);
    if (c == '`') return scanQuotedIdentifier(token, '`', QuoteStyle::Backtick);
    if (c == '[' && peek(1) == ']') {
      // INTEGER[]: an array type suffix, not an empty bracketed name.
      token.kind = TokenKind::Operator;
      advance(2);
      return;
    }
    if (c == '[') return scanQuotedIdentifier(token, ']', QuoteStyle::Bracket);
    if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return scanNumber(token);
    if (isWordStart(c) || (c == '#' && (isWordStart(peek(1)) || peek(1) == '#'))) {
      token.kind = TokenKind::Word;
      while (isWordPart(peek())) advance();
      return;
    }
    if (c == '?' ) {
      token.kind = TokenKind::Parameter;
      advance();
      while (isDigit(peek())) advance();
      return;
    }
    if ((c == '@' && (isWordStart(peek(1)) || peek(1) == '@')) || (c == ':' && isWordStart(peek(1)))) {
      token.kind = TokenKind::Parameter;
      advance();
      while (isWordPart(peek()) || peek() == '@') advance();
      return;
    }
    if (c == '$') {
      if (isDigit(peek(1))) {
        token.kind = TokenKind::Parameter;
        advance();
        while (isDigit(peek())) advance();
        return;
      }
      if (scanDollarQuote(token)) return;
    }
    // Character by character, not as substrings: it runs at every operator.
    for (std::string_view op : kOperators) {
      if (op[0] == c && op[1] == peek(1) && (op.size() == 2 || op[2] == peek(2))) {
        token.kind = TokenKind::Operator;
        advance(op.size());
        return;
      }
    }
    if (kSingleOperators.find(c) != std::string_view::npos || c == '@' || c == '#') {
      token.kind = TokenKind::Operator;
      advance();
      return;
    }
    if (c == ']') throw syntaxError(here(), "']' without a matching '['");
    throw syntaxError(here(), std::string("unexpected character '") + c + "'");
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::size_t column_ = 1;
};

}  // namespace

std::vector<Token> tokenize(std::string_view text) { return Scanner(text).run(); }

}  // namespace tavrello::builder
