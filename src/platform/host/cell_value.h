#pragma once

#include <string>
#include <variant>

namespace tavrello::host {

// A date or date-time as the spreadsheet keeps it: days since 1899-12-30, the
// fraction being the time of day. A cell holding one is a number cell with a
// date or date-time number format; reading its Value gives a DateTime again.
struct DateTime {
  double serial = 0;
  bool operator==(const DateTime&) const = default;
};

// The error values a formula cell can show, in the order the file format
// numbers them.
enum class CellError { Null, Div0, Value, Ref, Name, Num, NA };

// The text a cell shows for an error value ("#N/A", "#DIV/0!", ...).
inline const char* errorText(CellError e) {
  switch (e) {
    case CellError::Null: return "#NULL!";
    case CellError::Div0: return "#DIV/0!";
    case CellError::Value: return "#VALUE!";
    case CellError::Ref: return "#REF!";
    case CellError::Name: return "#NAME?";
    case CellError::Num: return "#NUM!";
    case CellError::NA: return "#N/A";
  }
  return "#N/A";
}

// What Range.Value reads and writes: the typed equivalent of the variant the
// object model hands out. std::monostate is an empty cell.
using CellValue = std::variant<std::monostate, double, std::string, bool, DateTime, CellError>;

}  // namespace tavrello::host
