#include "platform/system/printable_text.h"

#include "platform/system/utf8.h"

namespace tavrello::sys {

namespace {

void appendEscape(std::string& out, const char* prefix, unsigned value) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += prefix;
  out += kHex[(value >> 4) & 0xF];
  out += kHex[value & 0xF];
}

}  // namespace

std::string printableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::uint32_t code = 0;
    const std::size_t length = decodeUtf8(text, i, code);
    if (length == 0) {
      appendEscape(out, "\\x", static_cast<unsigned char>(text[i]));
      ++i;
      continue;
    }
    if (code < 0x20 || code == 0x7F) appendEscape(out, "\\x", code);
    else if (code >= 0x80 && code <= 0x9F) appendEscape(out, "\\u00", code);
    else out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace tavrello::sys
