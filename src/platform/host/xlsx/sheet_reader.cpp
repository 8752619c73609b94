#include "platform/host/xlsx/sheet_reader.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/date_serial.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/xlsx/shared_strings_reader.h"
#include "platform/host/xlsx/xml_stream.h"
#include "platform/host/xlsx/zip_reader.h"
#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

namespace {

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\n' || text.front() == '\r' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

CellError errorOf(std::string_view text) {
  if (text == "#NULL!") return CellError::Null;
  if (text == "#DIV/0!") return CellError::Div0;
  if (text == "#VALUE!") return CellError::Value;
  if (text == "#REF!") return CellError::Ref;
  if (text == "#NAME?") return CellError::Name;
  if (text == "#NUM!") return CellError::Num;
  return CellError::NA;  // #N/A, and the newer errors this host has no value for
}

// "2024-02-29", "2024-02-29T13:45:00", "2024-02-29T13:45:00.5Z" as a serial.
std::optional<double> isoSerial(std::string_view text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  double s = 0;
  auto number = [&](std::size_t at, std::size_t length, int& out) {
    if (at + length > text.size()) return false;
    auto [end, ec] = std::from_chars(text.data() + at, text.data() + at + length, out);
    return ec == std::errc() && end == text.data() + at + length;
  };
  if (!number(0, 4, y) || text.size() < 10 || text[4] != '-' || !number(5, 2, mo) || text[7] != '-' || !number(8, 2, d))
    return std::nullopt;
  if (text.size() > 10) {
    if (text[10] != 'T' || !number(11, 2, h) || text.size() < 16 || text[13] != ':' || !number(14, 2, mi))
      return std::nullopt;
    if (text.size() > 16 && text[16] == ':') {
      std::size_t end = 17;
      while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.')) ++end;
      auto [p, ec] = std::from_chars(text.data() + 17, text.data() + end, s);
      if (ec != std::errc()) return std::nullopt;
    }
  }
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s >= 61) return std::nullopt;
  return dateSerial(y, mo, d) + (h * 3600 + mi * 60 + s) / 86400.0;
}

class SheetParser {
 public:
  SheetParser(ZipReader& zip, const std::string& part, const SheetContext& context, Sheet& sheet)
      : xml_(zip.open(part), part, context.limits.maxTokenBytes),
        context_(context),
        sheet_(sheet),
        book_(sheet.book()),
        grid_(sheet.grid()) {}

  SheetFindings run() {
    for (auto event = xml_.next(); event != XmlStream::Event::Finished; event = xml_.next()) {
      if (event != XmlStream::Event::Start || xml_.depth() != 2) continue;
      std::string_view name = xml_.name();
      if (name == "sheetData") sheetData();
      else if (name == "sheetViews") sheetViews();
      else if (name == "cols") columns();
      else if (name == "autoFilter") autoFilter();
      else {
        if (name == "mergeCells") findings_.mergedCells = true;
        else if (name == "hyperlinks") findings_.hyperlinks = true;
        else if (name == "conditionalFormatting") findings_.conditionalFormats = true;
        else if (name == "dataValidations") findings_.dataValidations = true;
        else if (name == "legacyDrawing") findings_.comments = true;
        else if (name == "drawing") findings_.drawings = true;
        xml_.skipElement();
      }
    }
    return findings_;
  }

 private:
  [[noreturn]] void outside(std::string_view reference) {
    xml_.fail("the reference " + std::string(reference) + " lies outside the worksheet (A1:" +
              columnLetters(grid_.columns) + std::to_string(grid_.rows) + ")");
  }

  CellRect area(std::string_view text) {
    try {
      ParsedAddress parsed = parseAddress(text, grid_);
      return parsed.rect;
    } catch (const Failure&) {
      outside(text);
    }
  }

  // A cell reference such as "AB12", checked against the grid.
  void cellReference(std::string_view text, std::int32_t& row, std::int32_t& column) {
    std::size_t i = 0;
    std::int64_t c = 0, r = 0;
    while (i < text.size() && text[i] >= 'A' && text[i] <= 'Z' && c <= grid_.columns) c = c * 26 + (text[i++] - 'A' + 1);
    std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && r <= grid_.rows) r = r * 10 + (text[i++] - '0');
    if (digits == 0 || i == digits || i != text.size()) {
      if (i == text.size() || c > grid_.columns || r > grid_.rows) outside(text);
      xml_.fail("'" + std::string(text) + "' is not a cell reference");
    }
    if (c < 1 || c > grid_.columns || r < 1 || r > grid_.rows) outside(text);
    row = static_cast<std::int32_t>(r);
    column = static_cast<std::int32_t>(c);
  }

  void sheetViews() {
    const std::size_t depth = xml_.depth();
    bool selected = false;
    for (;;) {
      auto event = xml_.next();
      if (event == XmlStream::Event::End && xml_.depth() < depth) return;
      if (event != XmlStream::Event::Start || xml_.name() != "selection" || selected) continue;
      selected = true;
      std::string sqref(xml_.attribute("sqref").value_or(""));
      std::string active(xml_.attribute("activeCell").value_or(""));
      // The first block of the selection (it may list several).
      std::string first = sqref.substr(0, sqref.find(' '));
      if (!first.empty()) sheet_.select(area(first));
      else if (!active.empty()) sheet_.select(area(active));
    }
  }

  void columns() {
    const std::size_t depth = xml_.depth();
    for (;;) {
      auto event = xml_.next();
      if (event == XmlStream::Event::End && xml_.depth() < depth) return;
      if (event != XmlStream::Event::Start || xml_.name() != "col") continue;
      long long min = number(xml_.attribute("min"), 0), max = number(xml_.attribute("max"), 0);
      if (min < 1 || max < min || max > grid_.columns)
        xml_.fail("a column width is given for columns " + std::to_string(min) + " to " + std::to_string(max) +
                  ", outside the worksheet's 1 to " + std::to_string(grid_.columns));
      bool hidden = flag(xml_.attribute("hidden"));
      auto width = xml_.attribute("width");
      if (!hidden && !width) continue;
      double value = hidden ? 0 : real(*width);
      if (value < 0 || value > 255) continue;
      for (long long c = min; c <= max; ++c) sheet_.setColumnWidth(static_cast<std::int32_t>(c), value);
    }
  }

  void autoFilter() {
    if (auto ref = xml_.attribute("ref")) sheet_.toggleAutoFilter(area(*ref));
    const std::size_t depth = xml_.depth();
    for (;;) {
      auto event = xml_.next();
      if (event == XmlStream::Event::End && xml_.depth() < depth) return;
      if (event == XmlStream::Event::Start && xml_.name() == "filterColumn") findings_.filterCriteria = true;
    }
  }

  void sheetData() {
    const std::size_t depth = xml_.depth();
    std::int32_t row = 0;
    for (;;) {
      auto event = xml_.next();
      if (event == XmlStream::Event::End && xml_.depth() < depth) return;
      if (event != XmlStream::Event::Start) continue;
      if (xml_.name() == "row") {
        if (auto r = xml_.attribute("r")) {
          long long value = number(r, -1);
          if (value < 1 || value > grid_.rows) outside("row " + std::string(*r));
          row = static_cast<std::int32_t>(value);
        } else {
          ++row;
        }
        if (row > grid_.rows) outside("row " + std::to_string(row));
        column_ = 0;
        row_ = row;
      } else if (xml_.name() == "c") {
        cell();
      }
    }
  }

  void cell() {
    std::int32_t row = row_, column = column_ + 1;
    if (auto r = xml_.attribute("r")) cellReference(*r, row, column);
    if (row == 0) xml_.fail("a cell stands outside any row");
    if (column > grid_.columns) outside(columnLetters(grid_.columns) + "+1");
    column_ = column;
    std::uint32_t style = 0;
    if (auto s = xml_.attribute("s")) {
      long long index = number(s, 0);
      if (index >= 0 && static_cast<std::size_t>(index) < context_.styles.size())
        style = context_.styles[static_cast<std::size_t>(index)];
    }
    std::string type(xml_.attribute("t").value_or("n"));

    std::string value;
    bool hasValue = false;
    std::optional<std::string> inlineText;
    const std::size_t depth = xml_.depth();
    for (;;) {
      auto event = xml_.next();
      if (event == XmlStream::Event::End && xml_.depth() < depth) break;
      if (event != XmlStream::Event::Start) continue;
      if (xml_.name() == "v") {
        value = xml_.elementText();
        hasValue = true;
      } else if (xml_.name() == "is") {
        inlineText = readStringItem(xml_);
      } else if (xml_.name() == "f") {
        ++findings_.formulas;
        xml_.skipElement();
      } else {
        xml_.skipElement();
      }
    }
    // An empty <v/> is no value, whatever the type says.
    if (hasValue && type != "str" && trim(value).empty()) hasValue = false;
    if (style == 0 && !hasValue && !inlineText) return;

    Cell& cell = sheet_.cells().at(row, column);
    cell.setStyle(style);
    if (type == "inlineStr" || (type == "str" && !hasValue)) {
      std::string text = inlineText ? *inlineText : value;
      if (!text.empty()) cell.setText(book_->strings().intern(text));
      return;
    }
    if (!hasValue) return;
    const std::string where = columnLetters(column) + std::to_string(row);
    if (type == "s") {
      long long index = number(std::string_view(value), -1);
      if (index < 0 || static_cast<std::size_t>(index) >= context_.sharedStrings.size())
        xml_.fail("the cell " + where + " refers to shared string " + std::string(trim(value)) + " of " +
                  std::to_string(context_.sharedStrings.size()));
      std::uint32_t pooled = context_.sharedStrings[static_cast<std::size_t>(index)];
      if (!book_->strings().text(pooled).empty()) cell.setText(pooled);
    } else if (type == "str") {
      if (!value.empty()) cell.setText(book_->strings().intern(value));
    } else if (type == "b") {
      std::string_view text = trim(value);
      if (text != "0" && text != "1" && text != "true" && text != "false")
        xml_.fail("the cell " + where + " holds '" + std::string(text) + "', which is not a boolean");
      cell.setBoolean(text == "1" || text == "true");
    } else if (type == "e") {
      cell.setError(errorOf(trim(value)));
    } else if (type == "d") {
      auto serial = isoSerial(trim(value));
      if (!serial) xml_.fail("the cell " + where + " holds '" + value + "', which is not a date");
      cell.setNumber(*serial);
      StyleTable& styles = book_->styles();
      if (!styles.isDateStyle(style))
        cell.setStyle(styles.withNumberFormat(style, styles.addNumberFormat(number_format::kDateTime)));
    } else {
      std::string_view text = trim(value);
      double number = 0;
      auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
      if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        xml_.fail("the cell " + where + " holds '" + std::string(text) + "', which is not a number");
      if (std::isfinite(number)) cell.setNumber(number);
      else cell.setError(CellError::Num);
    }
  }

  static long long number(std::optional<std::string_view> text, long long fallback) {
    if (!text) return fallback;
    std::string_view t = trim(*text);
    long long value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    return ec == std::errc() && end == t.data() + t.size() ? value : fallback;
  }

  static double real(std::string_view text) {
    text = trim(text);
    double value = -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  }

  static bool flag(std::optional<std::string_view> text) { return text && (*text == "1" || *text == "true"); }

  XmlStream xml_;
  const SheetContext& context_;
  Sheet& sheet_;
  std::shared_ptr<Book> book_;
  GridSize grid_;
  std::int32_t row_ = 0;
  std::int32_t column_ = 0;
  SheetFindings findings_;
};

}  // namespace

SheetFindings readSheet(ZipReader& zip, const std::string& part, const SheetContext& context, Sheet& sheet) {
  return SheetParser(zip, part, context, sheet).run();
}

}  // namespace tavrello::host::xlsx
