#include "platform/host/workbook/style_table.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/host/workbook/cell.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

template <class T>
std::uint32_t addUnique(std::vector<T>& table, const T& item) {
  auto it = std::find(table.begin(), table.end(), item);
  if (it != table.end()) return static_cast<std::uint32_t>(it - table.begin());
  table.push_back(item);
  return static_cast<std::uint32_t>(table.size() - 1);
}

}  // namespace

std::size_t CellStyleHash::operator()(const CellStyle& style) const {
  std::size_t hash = 0;
  auto mix = [&hash](std::size_t value) { hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2); };
  mix(style.numberFormat);
  mix(style.font);
  mix(style.fill);
  mix(style.border);
  mix(static_cast<std::size_t>(style.alignment.horizontal) << 16 |
      static_cast<std::size_t>(style.alignment.vertical) << 8 | (style.alignment.wrapText ? 1u : 0u));
  return hash;
}

StyleTable::StyleTable() {
  fonts_.emplace_back();
  fills_.emplace_back();
  borders_.emplace_back();
  numberFormats_.push_back({0, std::string(number_format::kGeneral), false});
  styles_.emplace_back();
  styleIndex_.emplace(styles_.back(), 0);
}

std::uint32_t StyleTable::addFont(const FontStyle& font) { return addUnique(fonts_, font); }
std::uint32_t StyleTable::addFill(const FillStyle& fill) { return addUnique(fills_, fill); }
std::uint32_t StyleTable::addBorder(const BorderStyle& border) { return addUnique(borders_, border); }
std::uint32_t StyleTable::addStyle(const CellStyle& style) {
  auto found = styleIndex_.find(style);
  if (found != styleIndex_.end()) return found->second;
  if (styles_.size() >= Cell::kStyleLimit)
    throw Failure::host("The workbook has more cell formats than a cell can refer to (" +
                        std::to_string(Cell::kStyleLimit) + ").");
  const auto index = static_cast<std::uint32_t>(styles_.size());
  styles_.push_back(style);
  styleIndex_.emplace(style, index);
  return index;
}

std::uint32_t StyleTable::addNumberFormat(std::string_view code) {
  for (std::uint32_t i = 0; i < numberFormats_.size(); ++i) {
    if (numberFormats_[i].code == code) return i;
  }
  numberFormats_.push_back({nextFormatId_++, std::string(code), isDateFormatCode(code)});
  return static_cast<std::uint32_t>(numberFormats_.size() - 1);
}

std::uint32_t StyleTable::withNumberFormat(std::uint32_t style, std::uint32_t numberFormat) {
  if (styles_[style].numberFormat == numberFormat) return style;
  CellStyle changed = styles_[style];
  changed.numberFormat = numberFormat;
  return addStyle(changed);
}

bool isDateFormatCode(std::string_view code) {
  bool quoted = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    if (quoted) {
      if (c == '"') quoted = false;
      continue;
    }
    if (c == '"') {
      quoted = true;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is shown literally or is padding
    } else if (c == '[') {
      // [h], [mm], [ss] are elapsed times; other brackets are colours or locales.
      auto close = code.find(']', i);
      if (close == std::string_view::npos) return false;
      std::string_view inside = code.substr(i + 1, close - i - 1);
      if (!inside.empty() && std::all_of(inside.begin(), inside.end(), [](char x) {
            char l = static_cast<char>(std::tolower(static_cast<unsigned char>(x)));
            return l == 'h' || l == 'm' || l == 's';
          }))
        return true;
      i = close;
    } else {
      char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (l == 'y' || l == 'm' || l == 'd' || l == 'h' || l == 's') return true;
    }
  }
  return false;
}

}  // namespace tavrello::host
