#pragma once

#include <cstddef>
#include <string>

namespace tavrello::builder {

// How an identifier was written. Identifiers keep the quoting their author
// chose, so a statement comes back from the formatter in its own dialect.
enum class QuoteStyle {
  None,      // bare word
  Double,    // "name"   (standard, PostgreSQL, SQLite)
  Bracket,   // [name]   (SQL Server, SQLite)
  Backtick,  // `name`   (MariaDB, MySQL, SQLite)
  Single,    // 'name'   (a string used as an alias, MySQL and SQL Server)
};

enum class TokenKind {
  Word,        // bare word: keyword or identifier, decided by the parser
  Quoted,      // quoted identifier; value is the unquoted name
  String,      // string literal; text is as written, prefix and quotes included
  Number,
  Parameter,   // ?, ?1, :name, @name, $1
  Operator,    // punctuation and operators, text as written
  End,         // end of the statement text
};

// Where a token starts in the statement text: 1-based line and column, and
// the byte offset.
struct SourcePosition {
  std::size_t line = 1;
  std::size_t column = 1;
  std::size_t offset = 0;
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;   // as written
  std::string value;  // Quoted: the name without quotes; Word: upper-case text
  QuoteStyle quote = QuoteStyle::None;
  SourcePosition position;

  bool isWord(const char* upperWord) const { return kind == TokenKind::Word && value == upperWord; }
  bool isOperator(const char* op) const { return kind == TokenKind::Operator && text == op; }
};

}  // namespace tavrello::builder
