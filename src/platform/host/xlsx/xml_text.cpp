#include "platform/host/xlsx/xml_text.h"

#include <cstdint>

#include "platform/system/utf8.h"

namespace tavrello::host::xlsx {

namespace {

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

// Whether text[at] starts "_xhhhh_".
bool readsAsEscape(std::string_view text, std::size_t at) {
  return at + 7 <= text.size() && text[at] == '_' && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
         isHex(text[at + 2]) && isHex(text[at + 3]) && isHex(text[at + 4]) && isHex(text[at + 5]) && text[at + 6] == '_';
}

void appendEscape(std::string& out, std::uint32_t code) {
  static const char digits[] = "0123456789abcdef";
  out += "_x";
  for (int shift = 12; shift >= 0; shift -= 4) out += digits[(code >> shift) & 0xF];
  out += '_';
}


}  // namespace

bool isPlainXml(std::string_view text, XmlContext context) {
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 || u < 0x20 || c == '<' || c == '>' || c == '&' || c == '_') {
      if (u == '\n' && context == XmlContext::Text) continue;
      if (u == '\t' && context == XmlContext::Text) continue;
      return false;
    }
    if (c == '"' && context == XmlContext::Attribute) return false;
  }
  return true;
}

void appendXml(std::string& out, std::string_view text, XmlContext context) {
  const bool attribute = context == XmlContext::Attribute;
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i];
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x80) {
      std::uint32_t code = 0;
      std::size_t length = sys::decodeUtf8(text, i, code);
      if (length == 0) {
        sys::appendUtf8(out, 0xFFFD);
        ++i;
      } else {
        if (code == 0xFFFE || code == 0xFFFF) appendEscape(out, code);
        else out.append(text.substr(i, length));
        i += length;
      }
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"':
        if (attribute) out += "&quot;";
        else out += c;
        break;
      case '_':
        if (readsAsEscape(text, i)) out += "_x005F_";
        else out += c;
        break;
      case '\n':
      case '\t':
        if (attribute) appendEscape(out, u);
        else out += c;
        break;
      default:
        if (u < 0x20) appendEscape(out, u);
        else out += c;
    }
    ++i;
  }
}

std::string decodeEscapes(std::string_view text) {
  if (text.find('_') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (readsAsEscape(text, i)) {
      std::uint32_t code = 0;
      for (std::size_t k = 2; k < 6; ++k) code = (code << 4) | static_cast<std::uint32_t>(hexValue(text[i + k]));
      // A lone surrogate half cannot stand in UTF-8; a pair can.
      if (code >= 0xD800 && code <= 0xDBFF && readsAsEscape(text, i + 7)) {
        std::uint32_t low = 0;
        for (std::size_t k = 9; k < 13; ++k) low = (low << 4) | static_cast<std::uint32_t>(hexValue(text[i + k]));
        if (low >= 0xDC00 && low <= 0xDFFF) {
          sys::appendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
          i += 14;
          continue;
        }
      }
      sys::appendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? 0xFFFD : code);
      i += 7;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string_view cutToCellLimit(std::string_view utf8, bool& cut) {
  cut = false;
  if (utf8.size() <= kCellTextLimit) return utf8;  // never more units than bytes
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
    std::size_t weight = length == 4 ? 2 : 1;  // outside the basic plane: a surrogate pair
    if (units + weight > kCellTextLimit) {
      cut = true;
      return utf8.substr(0, i);
    }
    units += weight;
    i += length;
  }
  return utf8;
}

}  // namespace tavrello::host::xlsx
