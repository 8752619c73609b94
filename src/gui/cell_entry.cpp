#include "gui/cell_entry.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "platform/host/workbook/date_serial.h"

namespace tavrello::gui {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool sameLetters(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != upper[i]) return false;
  }
  return true;
}

std::optional<double> number(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  // from_chars also reads "inf" and "nan", which a cell does not take.
  bool digit = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') digit = true;
    else if (c != '.' && c != '-' && c != 'e' && c != 'E' && c != '+') return std::nullopt;
  }
  if (!digit) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// Reads `count` digits at `pos`; -1 when they are not all digits.
int digits(std::string_view text, std::size_t pos, std::size_t count) {
  if (pos + count > text.size()) return -1;
  int value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<host::DateTime> date(std::string_view text) {
  if (text.size() != 10 && text.size() != 16 && text.size() != 19) return std::nullopt;
  if (text[4] != '-' || text[7] != '-') return std::nullopt;
  const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
  if (year < 1900 || month < 1 || month > 12 || day < 1) return std::nullopt;
  // The day must exist in its month: it survives the trip through a serial.
  const double serial = host::dateSerial(year, month, day);
  const host::CivilDateTime back = host::civilFromSerial(serial);
  if (back.year != year || back.month != month || back.day != day) return std::nullopt;
  if (text.size() == 10) return host::DateTime{serial};
  if (text[10] != ' ' || text[13] != ':') return std::nullopt;
  const int hour = digits(text, 11, 2), minute = digits(text, 14, 2);
  int second = 0;
  if (text.size() == 19) {
    if (text[16] != ':') return std::nullopt;
    second = digits(text, 17, 2);
  }
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
  return host::DateTime{serial + (hour * 3600.0 + minute * 60.0 + second) / 86400.0};
}

}  // namespace

host::CellValue readCellEntry(std::string_view typed) {
  const std::string_view text = trimmed(typed);
  if (text.empty()) return std::monostate{};
  if (typed.front() == '\'') return std::string(typed.substr(1));
  if (auto value = number(text)) return *value;
  if (sameLetters(text, "TRUE")) return true;
  if (sameLetters(text, "FALSE")) return false;
  if (auto value = date(text)) return *value;
  return std::string(typed);
}

std::string cellEntryText(const host::CellValue& value) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(double number) const {
      char buffer[32];
      auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
      return std::string(buffer, end);
    }
    std::string operator()(const std::string& text) const {
      if (text.empty()) return {};
      // Text that would be read as something else keeps its apostrophe.
      const host::CellValue again = readCellEntry(text);
      return std::holds_alternative<std::string>(again) && text.front() != '\'' ? text : "'" + text;
    }
    std::string operator()(bool on) const { return on ? "TRUE" : "FALSE"; }
    std::string operator()(host::DateTime when) const {
      const host::CivilDateTime t = host::civilFromSerial(when.serial);
      char buffer[40];
      if (when.serial == std::floor(when.serial))
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", t.year, t.month, t.day);
      else
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                      t.minute, t.second);
      return buffer;
    }
    std::string operator()(host::CellError error) const { return host::errorText(error); }
  };
  return std::visit(Visitor{}, value);
}

}  // namespace tavrello::gui
