#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/failure.h"

namespace tavrello::db {

// A connection string in the ADO and ODBC syntax: `key=value` pairs separated
// by `;`. Keys are trimmed and compared without regard to letter case; a value
// is trimmed unless it is enclosed in braces `{...}` (where `}}` stands for one
// `}`) or in double or single quotes (where a doubled quote stands for one), and
// an enclosed value may hold `;` and `=`. Empty pairs (`;;`) are ignored. When a
// key repeats, its first occurrence counts, as ODBC drivers read it.
class ConnectionString {
 public:
  struct Pair {
    std::string key;    // trimmed, letter case as written
    std::string value;  // unquoted
    std::size_t begin;  // where the pair starts in the text
    std::size_t end;    // just past the pair and its `;` if it has one
  };

  // Parses `text`. A malformed string (an unclosed brace or quote, text after a
  // closing brace or quote, a pair without `=`, an empty key) throws Failure
  // 3001 whose description says what is wrong and at which character (counted
  // from 1); it never repeats a value, which may be a password.
  static ConnectionString parse(std::string_view text);

  const std::string& text() const { return text_; }
  const std::vector<Pair>& pairs() const { return pairs_; }
  // The value of the first pair with this key, if any.
  std::optional<std::string> get(std::string_view key) const;
  bool has(std::string_view key) const { return get(key).has_value(); }
  // The original text with every pair of this key cut out; the rest is kept
  // exactly as written.
  std::string without(std::string_view key) const;

  // A value written so that parse() gives it back: braces (with `}}`) when it
  // holds `;`, braces, quotes or leading or trailing blanks; as it is otherwise.
  static std::string quoteValue(std::string_view value);

 private:
  std::string text_;
  std::vector<Pair> pairs_;
};

// Whether two keys are the same key (letter case ignored).
bool sameKey(std::string_view a, std::string_view b);

}  // namespace tavrello::db
