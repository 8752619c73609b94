#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host/workbook/grid.h"

namespace tavrello::host {

// Column letters of a column number: 1 -> "A", 28 -> "AB", 16384 -> "XFD".
std::string columnLetters(std::int32_t column);

// The absolute A1 form of a rectangle: "$B$3" for one cell, "$B$2:$D$4"
// otherwise.
std::string absoluteAddress(const CellRect& rect);

// A sheet name as a reference writes it: quoted, with apostrophes doubled,
// when it holds anything but letters, digits, underscores and dots, starts
// with a digit or looks like a cell reference ("'My Sheet'", "Sheet1").
std::string referenceSheetName(std::string_view sheetName);

// "Sheet1!$B$2:$D$4", "'My Sheet'!$A$1": the form defined names refer with.
std::string sheetReference(std::string_view sheetName, const CellRect& rect);

// An address read from text: the sheet it names, if any, and the rectangle.
struct ParsedAddress {
  std::optional<std::string> sheet;
  CellRect rect;
};

// Reads an A1 reference: a cell (B3, $B$3, b3), a block (B2:D4, the corners
// in any order), whole columns (B:D) or rows (3:5), optionally after a sheet
// name and "!" (Sheet2!B3, 'My Sheet'!B3). Blanks around the text are
// ignored. Text that is not such a reference, or one outside `grid`, fails
// with tavrello::Failure 1004 saying what is wrong.
ParsedAddress parseAddress(std::string_view text, const GridSize& grid);

}  // namespace tavrello::host
