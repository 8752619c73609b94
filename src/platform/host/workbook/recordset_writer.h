#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tavrello::db {
class Recordset;
}

namespace tavrello::host {

class Sheet;

// Fails with 1004 when one of the first `columns` fields holds binary data,
// which no cell can show.
void checkCopyableFields(const db::Recordset& data, std::size_t columns);

// Writes rows firstRow .. firstRow + rows - 1 of the first `columns` fields
// into the sheet with its top-left cell at (top, left), column by column:
// numbers, decimals, booleans and text keep their type, NULL empties the
// cell, dates and times become serials and give the cell a date, time or
// date-time number format unless it has a date format already. Other
// formats of the cells stay. The caller has checked the fields and the grid.
void writeRecordRows(Sheet& sheet, std::int32_t top, std::int32_t left, const db::Recordset& data,
                     std::size_t firstRow, std::size_t rows, std::size_t columns);

// Range.CopyFromRecordset: every remaining row from the current position
// (at most maxRows rows and maxColumns fields), then leaves the result set
// after the last row written. Returns the number of rows written. Fails with
// 1004, writing nothing, for binary fields or a block past the grid.
std::int32_t copyRecordset(Sheet& sheet, std::int32_t top, std::int32_t left, db::Recordset& data,
                           std::optional<std::int32_t> maxRows, std::optional<std::int32_t> maxColumns);

}  // namespace tavrello::host
