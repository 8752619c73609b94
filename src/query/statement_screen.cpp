#include "query/statement_screen.h"

#include <cctype>
#include <cstddef>
#include <string>

namespace tavrello {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

bool startsAt(std::string_view text, std::size_t at, std::string_view what) {
  return text.substr(at, what.size()) == what;
}

// Where the quoted text or comment that opens at `at` ends (one past its
// closing mark, or the end of the text); `at` itself when nothing opens there.
std::size_t skipQuotedOrComment(std::string_view text, std::size_t at) {
  const char c = text[at];
  if (startsAt(text, at, "--")) {
    const std::size_t end = text.find('\n', at + 2);
    return end == std::string_view::npos ? text.size() : end + 1;
  }
  if (startsAt(text, at, "/*")) {
    const std::size_t end = text.find("*/", at + 2);
    return end == std::string_view::npos ? text.size() : end + 2;
  }
  char close = 0;
  switch (c) {
    case '\'': close = '\''; break;
    case '"': close = '"'; break;
    case '`': close = '`'; break;
    case '[': close = ']'; break;
    default: return at;
  }
  // A doubled closing mark stands for itself inside the quotes; reading it
  // as the end and a new start gives the same boundaries.
  const std::size_t end = text.find(close, at + 1);
  return end == std::string_view::npos ? text.size() : end + 1;
}

}  // namespace

std::vector<std::string_view> splitStatements(std::string_view text) {
  std::vector<std::string_view> statements;
  std::size_t start = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t skipped = skipQuotedOrComment(text, at);
    if (skipped != at) {
      at = skipped;
    } else if (text[at] == ';') {
      statements.push_back(text.substr(start, at - start));
      start = ++at;
    } else {
      ++at;
    }
  }
  statements.push_back(text.substr(start));
  return statements;
}

std::string_view skipBlanksAndComments(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (isBlank(text[at])) {
      ++at;
    } else if (startsAt(text, at, "--") || startsAt(text, at, "/*")) {
      at = skipQuotedOrComment(text, at);
    } else {
      break;
    }
  }
  return text.substr(at);
}

std::optional<std::string_view> firstBlockedKeyword(std::string_view text) {
  for (std::string_view statement : splitStatements(text)) {
    std::string head(skipBlanksAndComments(statement).substr(0, 6));
    for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (std::string_view keyword : kBlockedKeywords) {
      if (head == keyword) return keyword;
    }
  }
  return std::nullopt;
}

}  // namespace tavrello
