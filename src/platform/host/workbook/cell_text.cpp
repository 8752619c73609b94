#include "platform/host/workbook/cell_text.h"

#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "platform/host/workbook/date_serial.h"

namespace tavrello::host {

std::string generalNumberText(double value) {
  if (!std::isfinite(value)) return "#NUM!";
  char buffer[32];
  auto shortest = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, shortest.ptr);
  if (text.size() <= 11 && text.find('e') == std::string::npos) return text;
  double magnitude = std::fabs(value);
  if (magnitude >= 1e-9 && magnitude < 1e11) {
    // Fewer digits after the point until it fits.
    for (int decimals = 10; decimals >= 0; --decimals) {
      std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
      std::string fixed(buffer);
      if (fixed.find('.') != std::string::npos) {
        while (fixed.back() == '0') fixed.pop_back();
        if (fixed.back() == '.') fixed.pop_back();
      }
      if (fixed.size() <= 11) return fixed;
    }
  }
  std::snprintf(buffer, sizeof buffer, "%.5E", value);
  std::string sci(buffer);
  auto e = sci.find('E');
  std::string mantissa = sci.substr(0, e);
  while (mantissa.back() == '0') mantissa.pop_back();
  if (mantissa.back() == '.') mantissa.pop_back();
  return mantissa + sci.substr(e);
}

std::string dateText(double serial, std::string_view code) {
  CivilDateTime t = civilFromSerial(serial);
  std::string out;
  bool afterHour = false;
  auto pad = [](std::int32_t v, std::size_t width) {
    std::string s = std::to_string(v);
    while (s.size() < width) s.insert(s.begin(), '0');
    return s;
  };
  for (std::size_t i = 0; i < code.size();) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(code[i])));
    std::size_t run = 1;
    while (i + run < code.size() && std::tolower(static_cast<unsigned char>(code[i + run])) == c) ++run;
    switch (c) {
      case 'y':
        out += run <= 2 ? pad(t.year % 100, 2) : pad(t.year, 4);
        break;
      case 'm': {
        // Minutes when they follow hours or lead to seconds, else the month.
        auto next = code.find_first_of("yYmMdDhHsS", i + run);
        bool beforeSecond = next != std::string_view::npos && (code[next] == 's' || code[next] == 'S');
        if ((afterHour || beforeSecond) && run <= 2) out += pad(t.minute, run);
        else out += pad(t.month, run >= 2 ? 2 : 1);
        break;
      }
      case 'd':
        out += pad(t.day, run >= 2 ? 2 : 1);
        break;
      case 'h':
        out += pad(t.hour, run);
        afterHour = true;
        i += run;
        continue;
      case 's':
        out += pad(t.second, run);
        break;
      case '"': {
        auto close = code.find('"', i + 1);
        out += code.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1);
        i = close == std::string_view::npos ? code.size() : close + 1;
        continue;
      }
      case '\\':
        if (i + 1 < code.size()) out += code[i + 1];
        i += 2;
        continue;
      default:
        out.append(run, code[i]);
        i += run;
        continue;
    }
    afterHour = false;
    i += run;
  }
  return out;
}

std::string displayText(const Cell& cell, const StyleTable& styles, const StringPool& strings) {
  switch (cell.kind()) {
    case CellKind::Empty: return {};
    case CellKind::Text: return std::string(strings.text(cell.textIndex()));
    case CellKind::Boolean: return cell.boolean() ? "TRUE" : "FALSE";
    case CellKind::Error: return errorText(cell.error());
    case CellKind::Number: {
      const NumberFormat& format = styles.numberFormat(styles.style(cell.style()).numberFormat);
      if (format.isDate) return dateText(cell.number(), format.code);
      return generalNumberText(cell.number());
    }
  }
  return {};
}

double textWidthInCharacters(std::string_view utf8) {
  double width = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    char32_t code = lead;
    if (length > 1 && i + length <= utf8.size()) {
      code = lead & (0x7F >> length);
      for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    width += code >= 0x2E80 && code <= 0xFFEF ? 2 : 1;
    i += length;
  }
  return width;
}

}  // namespace tavrello::host
