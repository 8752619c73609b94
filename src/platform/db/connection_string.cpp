#include "platform/db/connection_string.h"

#include "platform/db/db_failure.h"

namespace tavrello::db {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

Failure malformed(const std::string& what, std::size_t index) {
  return {failure_number::kArguments,
          "The connection string is malformed: " + what + " at character " + std::to_string(index + 1) + "."};
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

bool sameKey(std::string_view a, std::string_view b) {
  a = trim(a);
  b = trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

ConnectionString ConnectionString::parse(std::string_view text) {
  ConnectionString result;
  result.text_ = std::string(text);
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    while (i < n && (isBlank(text[i]) || text[i] == ';')) ++i;
    if (i == n) break;
    const std::size_t begin = i;
    while (i < n && text[i] != '=' && text[i] != ';') ++i;
    if (i == n || text[i] == ';') throw malformed("a pair has no '='", begin);
    std::string_view key = trim(text.substr(begin, i - begin));
    if (key.empty()) throw malformed("a pair has no key before '='", begin);
    ++i;  // past '='
    while (i < n && isBlank(text[i])) ++i;
    std::string value;
    if (i < n && (text[i] == '{' || text[i] == '"' || text[i] == '\'')) {
      const char open = text[i];
      const char close = open == '{' ? '}' : open;
      const std::size_t openedAt = i++;
      bool closed = false;
      while (i < n) {
        if (text[i] == close) {
          if (i + 1 < n && text[i + 1] == close) {
            value += close;
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        value += text[i++];
      }
      if (!closed) {
        throw malformed(std::string("the value of '") + std::string(key) + "' opened with " +
                            (open == '{' ? "a brace" : "a quote") + " is not closed",
                        openedAt);
      }
      while (i < n && isBlank(text[i])) ++i;
      if (i < n && text[i] != ';') {
        throw malformed(std::string("unexpected text after the ") + (open == '{' ? "closing brace" : "closing quote") +
                            " of '" + std::string(key) + "'",
                        i);
      }
    } else {
      const std::size_t start = i;
      while (i < n && text[i] != ';') ++i;
      value = std::string(trim(text.substr(start, i - start)));
    }
    if (i < n) ++i;  // past ';'
    result.pairs_.push_back(Pair{std::string(key), std::move(value), begin, i});
  }
  return result;
}

std::optional<std::string> ConnectionString::get(std::string_view key) const {
  for (const Pair& p : pairs_) {
    if (sameKey(p.key, key)) return p.value;
  }
  return std::nullopt;
}

std::string ConnectionString::without(std::string_view key) const {
  std::string out;
  std::size_t from = 0;
  for (const Pair& p : pairs_) {
    if (!sameKey(p.key, key)) continue;
    out.append(text_, from, p.begin - from);
    from = p.end;
  }
  out.append(text_, from, std::string::npos);
  return out;
}

std::string ConnectionString::quoteValue(std::string_view value) {
  bool needs = !value.empty() && (isBlank(value.front()) || isBlank(value.back()));
  for (char c : value) {
    if (c == ';' || c == '{' || c == '}' || c == '"' || c == '\'') needs = true;
  }
  if (!needs) return std::string(value);
  std::string out = "{";
  for (char c : value) {
    out += c;
    if (c == '}') out += '}';
  }
  out += '}';
  return out;
}

}  // namespace tavrello::db
