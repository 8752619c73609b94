#include "profiles/settings_format.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "platform/system/failure.h"
#include "platform/system/utf8.h"

namespace tavrello {

namespace {

constexpr std::string_view kEol = "\r\n";

struct BadCharacter {
  std::size_t position;  // byte offset from 1
  std::optional<char32_t> code;  // none when the bytes are not UTF-8
};

bool isXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

std::optional<BadCharacter> findBadCharacter(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    std::uint32_t c = 0;
    const std::size_t length = sys::decodeUtf8(s, i, c);
    if (length == 0) return BadCharacter{i + 1, std::nullopt};
    if (!isXmlChar(c)) return BadCharacter{i + 1, c};
    i += length;
  }
  return std::nullopt;
}

void checkCarriable(std::size_t k, const char* what, std::string_view value) {
  const auto bad = findBadCharacter(value);
  if (!bad) return;
  char detail[64];
  if (bad->code) {
    std::snprintf(detail, sizeof detail, "the character U+%04X at position %zu", static_cast<unsigned>(*bad->code),
                  bad->position);
  } else {
    std::snprintf(detail, sizeof detail, "bytes that are not UTF-8 text at position %zu", bad->position);
  }
  throw Failure::invalidCall("Connection " + std::to_string(k) + " cannot be saved: its " + what + " holds " +
                             detail + ", which the settings file cannot store");
}

void appendEscaped(std::string& out, std::string_view value) {
  for (char c : value) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\r': out += "&#13;"; break;
      default: out += c; break;
    }
  }
}

}  // namespace

std::string formatSettingsFile(const std::vector<ConnectionProfile>& rows) {
  std::string out;
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  out += kEol;
  out += "<connections>";
  out += kEol;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::size_t k = i + 1;
    checkCarriable(k, "name", rows[i].name);
    checkCarriable(k, "connection string", rows[i].connectionString);
    const std::string element = "connection" + std::to_string(k);
    out += "\t<" + element + ">";
    out += kEol;
    out += "\t\t<name>";
    appendEscaped(out, rows[i].name);
    out += "</name>";
    out += kEol;
    out += "\t\t<value>";
    appendEscaped(out, rows[i].connectionString);
    out += "</value>";
    out += kEol;
    out += "\t</" + element + ">";
    out += kEol;
  }
  out += "</connections>";
  out += kEol;
  return out;
}

}  // namespace tavrello
