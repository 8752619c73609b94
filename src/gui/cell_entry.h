#pragma once

#include <string>
#include <string_view>

#include "platform/host/cell_value.h"

namespace tavrello::gui {

// What the user types into a cell, read as a spreadsheet reads it: nothing
// (or only blanks) empties the cell; a decimal number ("12", "-3.5",
// "1.2E3") is a number; TRUE or FALSE in any letter case is a truth value; a
// date "2024-03-01", optionally with a time "2024-03-01 14:30" or
// "2024-03-01 14:30:15", is a date; a leading apostrophe keeps the rest as
// text; everything else is text, kept exactly as typed.
host::CellValue readCellEntry(std::string_view typed);

// The text a cell's editor starts with: the value in the form readCellEntry
// reads back to the same value (numbers with all their digits, dates as
// year-month-day with the time when there is one).
std::string cellEntryText(const host::CellValue& value);

}  // namespace tavrello::gui
