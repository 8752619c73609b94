#include "platform/host/workbook/a1_address.h"

#include <cctype>

#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string_view trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

[[noreturn]] void refuse(std::string_view text, std::string_view why) {
  throw Failure::host("'" + std::string(text) + "' is not a valid reference: " + std::string(why));
}

// One side of a reference: a cell, a column or a row; a zero part is absent.
struct RefPart {
  std::int32_t row = 0;
  std::int32_t column = 0;
};

RefPart parsePart(std::string_view whole, std::string_view part, const GridSize& grid) {
  std::size_t i = 0;
  bool leadingDollar = i < part.size() && part[i] == '$';
  if (leadingDollar) ++i;
  std::size_t lettersStart = i;
  std::int64_t column = 0;
  while (i < part.size() && isLetter(part[i])) {
    column = column * 26 + (std::toupper(static_cast<unsigned char>(part[i])) - 'A' + 1);
    if (column > grid.columns) refuse(whole, "column beyond " + columnLetters(grid.columns));
    ++i;
  }
  bool hasColumn = i > lettersStart;
  // Without letters a leading '$' belongs to the row ("$3:$5").
  bool rowDollar = leadingDollar && !hasColumn;
  if (i < part.size() && part[i] == '$') {
    if (rowDollar) refuse(whole, "two '$' in a row");
    rowDollar = true;
    ++i;
  }
  std::size_t digitsStart = i;
  std::int64_t row = 0;
  while (i < part.size() && isDigit(part[i])) {
    row = row * 10 + (part[i] - '0');
    if (row > grid.rows) refuse(whole, "row beyond " + std::to_string(grid.rows));
    ++i;
  }
  bool hasRow = i > digitsStart;
  if (i != part.size() || (!hasColumn && !hasRow) || (rowDollar && !hasRow))
    refuse(whole, "expected a cell such as B3 or $B$3");
  if (hasRow && row == 0) refuse(whole, "rows are numbered from 1");
  return {static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)};
}

// Splits "Sheet!ref" / "'It''s'!ref"; returns the reference part.
std::string_view splitSheet(std::string_view whole, std::string_view text, std::optional<std::string>& sheet) {
  if (!text.empty() && text.front() == '\'') {
    std::string name;
    std::size_t i = 1;
    for (;; ++i) {
      if (i >= text.size()) refuse(whole, "the sheet name's closing apostrophe is missing");
      if (text[i] == '\'') {
        if (i + 1 < text.size() && text[i + 1] == '\'') {
          name += '\'';
          ++i;
          continue;
        }
        break;
      }
      name += text[i];
    }
    if (i + 1 >= text.size() || text[i + 1] != '!') refuse(whole, "expected '!' after the sheet name");
    if (name.empty()) refuse(whole, "the sheet name is empty");
    sheet = std::move(name);
    return text.substr(i + 2);
  }
  auto bang = text.find('!');
  if (bang == std::string_view::npos) return text;
  if (bang == 0) refuse(whole, "the sheet name is empty");
  sheet = std::string(text.substr(0, bang));
  return text.substr(bang + 1);
}

}  // namespace

std::string columnLetters(std::int32_t column) {
  std::string letters;
  while (column > 0) {
    int rest = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + rest));
    column = (column - 1) / 26;
  }
  return letters;
}

std::string absoluteAddress(const CellRect& rect) {
  std::string text = "$" + columnLetters(rect.left) + "$" + std::to_string(rect.top);
  if (rect.rows() == 1 && rect.columns() == 1) return text;
  return text + ":$" + columnLetters(rect.right) + "$" + std::to_string(rect.bottom);
}

std::string referenceSheetName(std::string_view sheetName) {
  bool plain = !sheetName.empty() && !isDigit(sheetName.front());
  for (char c : sheetName) {
    if (!(isLetter(c) || isDigit(c) || c == '_' || c == '.')) plain = false;
  }
  if (plain) {
    // A name such as "AB12" would read as a cell reference.
    std::size_t i = 0;
    while (i < sheetName.size() && isLetter(sheetName[i])) ++i;
    std::size_t digits = i;
    while (i < sheetName.size() && isDigit(sheetName[i])) ++i;
    if (i == sheetName.size() && digits > 0 && i > digits && digits <= 3) plain = false;
  }
  if (plain) return std::string(sheetName);
  std::string quoted = "'";
  for (char c : sheetName) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  return quoted + "'";
}

std::string sheetReference(std::string_view sheetName, const CellRect& rect) {
  return referenceSheetName(sheetName) + "!" + absoluteAddress(rect);
}

ParsedAddress parseAddress(std::string_view text, const GridSize& grid) {
  std::string_view whole = trim(text);
  if (whole.empty()) refuse(text, "the reference is empty");
  ParsedAddress result;
  std::string_view ref = trim(splitSheet(whole, whole, result.sheet));
  if (ref.empty()) refuse(whole, "a cell is missing after the sheet name");
  auto colon = ref.find(':');
  RefPart first = parsePart(whole, trim(ref.substr(0, colon)), grid);
  RefPart second = first;
  if (colon != std::string_view::npos) second = parsePart(whole, trim(ref.substr(colon + 1)), grid);
  bool firstCell = first.row && first.column, secondCell = second.row && second.column;
  if (firstCell != secondCell || (!firstCell && (first.row == 0) != (second.row == 0)))
    refuse(whole, "both corners must be cells, both columns or both rows");
  if (!firstCell && colon == std::string_view::npos) refuse(whole, "a whole column or row needs both ends, as B:B or 3:3");
  if (first.row == 0) {
    first.row = 1;
    second.row = grid.rows;
  }
  if (first.column == 0) {
    first.column = 1;
    second.column = grid.columns;
  }
  result.rect = {std::min(first.row, second.row), std::min(first.column, second.column),
                 std::max(first.row, second.row), std::max(first.column, second.column)};
  return result;
}

}  // namespace tavrello::host
