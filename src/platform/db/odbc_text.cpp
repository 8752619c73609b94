#include "platform/db/odbc_text.h"

namespace tavrello::db {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void putUtf16(OdbcWideString& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<SQLWCHAR>(c);
  } else {
    c -= 0x10000;
    out += static_cast<SQLWCHAR>(0xD800 + (c >> 10));
    out += static_cast<SQLWCHAR>(0xDC00 + (c & 0x3FF));
  }
}

}  // namespace

OdbcWideString toOdbcWide(std::string_view s) {
  OdbcWideString out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) {
      putUtf16(out, kReplacement);
      ++i;
      continue;
    }
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char f = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((f & 0xC0) != 0x80) { ok = false; break; }
      c = (c << 6) | (f & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (!ok || c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      putUtf16(out, kReplacement);
      ++i;
      continue;
    }
    putUtf16(out, c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::size_t writeUtf8(char* out, const SQLWCHAR* units, std::size_t count) {
  char* p = out;
  for (std::size_t i = 0; i < count; ++i) {
    char32_t c = units[i];
    if (c < 0x80) {
      *p++ = static_cast<char>(c);
      continue;
    }
    if (c < 0x800) {
      *p++ = static_cast<char>(0xC0 | (c >> 6));
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
      continue;
    }
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
      *p++ = static_cast<char>(0xF0 | (c >> 18));
      *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) c = kReplacement;
    *p++ = static_cast<char>(0xE0 | (c >> 12));
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return static_cast<std::size_t>(p - out);
}

void appendUtf8(std::string& out, const SQLWCHAR* units, std::size_t count) {
  const std::size_t start = out.size();
  out.resize(start + count * 3);
  out.resize(start + writeUtf8(out.data() + start, units, count));
}

std::string fromOdbcWide(const SQLWCHAR* units, std::size_t count) {
  std::string out;
  out.reserve(count);
  appendUtf8(out, units, count);
  return out;
}

}  // namespace tavrello::db
