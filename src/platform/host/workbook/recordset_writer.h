#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/host/copy_report.h"

namespace tavrello::db {
class Recordset;
}

namespace tavrello::host {

class Sheet;

// Writes rows firstRow .. firstRow + rows - 1 of the first `columns` fields
// into the sheet with its top-left cell at (top, left), column by column:
// numbers, decimals, booleans and text keep their type, NULL empties the
// cell, dates and times become serials and give the cell a date, time or
// date-time number format unless it has a date format already. Other
// formats of the cells stay. What no cell can hold as it comes is changed as
// CellChange says (text cut to the cell limit, numbers and early dates kept
// as text, binary data left blank) and added to `report`. The caller has
// checked the grid.
void writeRecordRows(Sheet& sheet, std::int32_t top, std::int32_t left, const db::Recordset& data,
                     std::size_t firstRow, std::size_t rows, std::size_t columns, CopyReport& report);

// Range.CopyFromRecordset: every remaining row from the current position
// (at most maxRows rows and maxColumns fields), then leaves the result set
// after the last row written. Returns the number of rows written; `report`,
// when given, receives what had to change. Fails with 1004, writing
// nothing, for a closed result set or a block past the grid.
std::int32_t copyRecordset(Sheet& sheet, std::int32_t top, std::int32_t left, db::Recordset& data,
                           std::optional<std::int32_t> maxRows, std::optional<std::int32_t> maxColumns,
                           CopyReport* report);

}  // namespace tavrello::host
