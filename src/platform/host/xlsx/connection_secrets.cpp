#include "platform/host/xlsx/connection_secrets.h"

#include <cctype>

#include "platform/db/connection_string.h"
#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

namespace {

bool isPasswordKey(std::string_view key) { return db::sameKey(key, "pwd") || db::sameKey(key, "password"); }

// The fallback for text that does not parse: cut from each password key to
// the next semicolon.
std::string cutPasswordsByText(std::string_view text) {
  std::string lower;
  for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    bool atKey = false;
    std::size_t keyLength = 0;
    bool boundary = i == 0 || !std::isalnum(static_cast<unsigned char>(text[i - 1]));
    for (std::string_view key : {std::string_view("password"), std::string_view("pwd")}) {
      if (!boundary || lower.compare(i, key.size(), key) != 0) continue;
      std::size_t j = i + key.size();
      while (j < text.size() && (text[j] == ' ' || text[j] == '\t')) ++j;
      if (j < text.size() && text[j] == '=') {
        atKey = true;
        keyLength = j - i;
        break;
      }
    }
    if (!atKey) {
      out += text[i++];
      continue;
    }
    std::size_t end = text.find(';', i + keyLength);
    i = end == std::string_view::npos ? text.size() : end + 1;
  }
  return out;
}

}  // namespace

std::string withoutPasswords(std::string_view connectionString) {
  db::ConnectionString parsed;
  try {
    parsed = db::ConnectionString::parse(connectionString);
  } catch (const Failure&) {
    return cutPasswordsByText(connectionString);
  }
  const std::string& text = parsed.text();
  std::string out;
  std::size_t copied = 0;
  for (const auto& pair : parsed.pairs()) {
    out.append(text, copied, pair.begin - copied);
    copied = pair.end;
    if (isPasswordKey(pair.key)) continue;
    if (pair.value.find('=') != std::string::npos) {
      std::string inner = withoutPasswords(pair.value);
      if (inner != pair.value) {
        out += pair.key + "=" + db::ConnectionString::quoteValue(inner) + ";";
        continue;
      }
    }
    out.append(text, pair.begin, pair.end - pair.begin);
  }
  out.append(text, copied, std::string::npos);
  return out;
}

}  // namespace tavrello::host::xlsx
