#include "platform/db/secrets.h"

#include <algorithm>
#include <cctype>

namespace tavrello::db {

namespace {

constexpr std::size_t kAnywhereLength = 4;

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

}  // namespace tavrello::db
