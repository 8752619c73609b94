#include "platform/db/secrets.h"

#include <algorithm>
#include <cctype>

namespace tavrello::db {

namespace {

constexpr std::size_t kAnywhereLength = 4;
constexpr std::string_view kMask = "***";
// How many connection strings deep a value is read as one of its own. Each
// level re-quotes what it changed, doubling the closing braces, so a hostile
// string nested without end would take time and memory without end; deeper
// values lose their passwords by the text fallback, which never lets one
// through.
constexpr int kMaxNesting = 3;

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

std::string rawValue(const std::string& text, const ConnectionString::Pair& pair) {
  std::size_t eq = text.find('=', pair.begin);
  std::size_t end = pair.end;
  if (end > pair.begin && end <= text.size() && text[end - 1] == ';' && end - 1 > eq) --end;
  std::string raw = text.substr(eq + 1, end - eq - 1);
  auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  while (!raw.empty() && blank(raw.back())) raw.pop_back();
  raw.erase(raw.begin(), std::find_if_not(raw.begin(), raw.end(), blank));
  return raw;
}

bool isPasswordKey(std::string_view key) { return sameKey(key, "pwd") || sameKey(key, "password"); }

// One pass of the fallback for text that does not parse: each password
// key's value runs to the next semicolon.
std::string hideByTextOnce(std::string_view text, PasswordHiding how) {
  std::string lower;
  for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t afterEquals = 0;
    const bool boundary = i == 0 || !isWordChar(text[i - 1]);
    for (std::string_view key : {std::string_view("password"), std::string_view("pwd")}) {
      if (!boundary || lower.compare(i, key.size(), key) != 0) continue;
      std::size_t j = i + key.size();
      while (j < text.size() && std::isspace(static_cast<unsigned char>(text[j])) != 0) ++j;
      if (j < text.size() && text[j] == '=') {
        afterEquals = j + 1;
        break;
      }
    }
    if (afterEquals == 0) {
      out += text[i++];
      continue;
    }
    const std::size_t semicolon = text.find(';', afterEquals);
    if (how == PasswordHiding::Mask) {
      out.append(text.substr(i, afterEquals - i));
      out += kMask;
      i = semicolon == std::string_view::npos ? text.size() : semicolon;
    } else {
      i = semicolon == std::string_view::npos ? text.size() : semicolon + 1;
    }
  }
  return out;
}

// Removing a pair can join what stood before it and what follows into a new
// password key and value ("#pwd pwd=a;=a" becomes "#pwd =a"), so removal
// goes on until a pass finds nothing. Each pass shortens the text; text that
// still forms new keys after a few passes is dropped whole.
constexpr int kMaxRemovalPasses = 8;

std::string hideByText(std::string_view text, PasswordHiding how) {
  std::string out = hideByTextOnce(text, how);
  if (how == PasswordHiding::Mask) return out;
  for (int pass = 1; pass < kMaxRemovalPasses; ++pass) {
    std::string again = hideByTextOnce(out, how);
    if (again == out) return out;
    out = std::move(again);
  }
  return {};
}

}  // namespace

std::vector<std::string> passwordsOf(const ConnectionString& connectionString) {
  std::vector<std::string> secrets;
  for (const auto& pair : connectionString.pairs()) {
    if (!sameKey(pair.key, "pwd") && !sameKey(pair.key, "password")) continue;
    for (std::string s : {pair.value, rawValue(connectionString.text(), pair)}) {
      if (!s.empty() && std::find(secrets.begin(), secrets.end(), s) == secrets.end()) secrets.push_back(s);
    }
  }
  // Longest first, so a password that contains another is replaced whole.
  std::sort(secrets.begin(), secrets.end(), [](const auto& a, const auto& b) { return a.size() > b.size(); });
  return secrets;
}

std::string redact(std::string text, const std::vector<std::string>& secrets) {
  static const std::string mask = "****";
  for (const std::string& secret : secrets) {
    if (secret.empty()) continue;
    std::size_t at = 0;
    while ((at = text.find(secret, at)) != std::string::npos) {
      const std::size_t end = at + secret.size();
      const bool word = (at == 0 || !isWordChar(text[at - 1]) || !isWordChar(secret.front())) &&
                        (end == text.size() || !isWordChar(text[end]) || !isWordChar(secret.back()));
      if (secret.size() >= kAnywhereLength || word) {
        text.replace(at, secret.size(), mask);
        at += mask.size();
      } else {
        at = end;
      }
    }
  }
  return text;
}

namespace {

std::string hideNested(std::string_view connectionString, PasswordHiding how, int depth) {
  ConnectionString parsed;
  try {
    parsed = ConnectionString::parse(connectionString);
  } catch (const Failure&) {
    return hideByText(connectionString, how);
  }
  const std::string& text = parsed.text();
  std::string out;
  std::size_t copied = 0;
  for (const auto& pair : parsed.pairs()) {
    out.append(text, copied, pair.begin - copied);
    copied = pair.end;
    if (isPasswordKey(pair.key)) {
      if (how == PasswordHiding::Mask) {
        const std::size_t afterEquals = text.find('=', pair.begin) + 1;
        out.append(text, pair.begin, afterEquals - pair.begin);
        out += kMask;
        if (text[pair.end - 1] == ';' && pair.end - 1 >= afterEquals) out += ';';
      }
      continue;
    }
    if (pair.value.find('=') != std::string::npos) {
      const std::string inner =
          depth < kMaxNesting ? hideNested(pair.value, how, depth + 1) : hideByText(pair.value, how);
      if (inner != pair.value) {
        out += pair.key + "=" + ConnectionString::quoteValue(inner) + ";";
        continue;
      }
    }
    out.append(text, pair.begin, pair.end - pair.begin);
  }
  out.append(text, copied, std::string::npos);
  return out;
}

}  // namespace

std::string hidePasswords(std::string_view connectionString, PasswordHiding how) {
  return hideNested(connectionString, how, 0);
}

}  // namespace tavrello::db
