#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/host/cell_value.h"
#include "platform/host/copy_report.h"

namespace tavrello::db {
class Recordset;
}

namespace tavrello::host {

class Worksheet;

// The built-in table designs of Range.AutoFormat, numbered as the object
// model numbers them. The host draws the four designs the add-in's
// formatting schemes name; any other number is refused.
namespace RangeAutoFormat {
inline constexpr int Color1 = 7;  // "Green and Black"
inline constexpr int Color3 = 9;  // "Black and Grey"
inline constexpr int List1 = 10;  // "Grey and White"
inline constexpr int List2 = 11;  // "Green and White"
}  // namespace RangeAutoFormat

// The named arguments of Range.AutoFormat. Each flag says whether that part
// of the design is applied; all default to true as in the object model.
struct AutoFormatOptions {
  int Format = RangeAutoFormat::List1;
  bool Number = true;
  bool Font = true;
  bool Alignment = true;
  bool Border = true;
  bool Pattern = true;
  bool Width = true;
};

// A rectangle of cells on one worksheet. Rows and columns count from 1; the
// grid is 1,048,576 rows by 16,384 columns (65,536 by 256 for hosts of a
// version below 12). A Range stays valid while its worksheet exists; using
// it after the worksheet is gone fails with number 1004. Every failure is a
// tavrello::Failure, 1004 unless said otherwise.
class Range {
 public:
  virtual ~Range() = default;

  // The absolute A1 address without the sheet name: "$B$3" for one cell,
  // "$B$2:$D$4" for a block.
  virtual std::string Address() const = 0;

  // Row and column of the top-left cell.
  virtual std::int32_t Row() const = 0;
  virtual std::int32_t Column() const = 0;

  // The range of the same size moved by the given rows and columns. Fails
  // with 1004 when any part of it would lie outside the grid.
  virtual std::shared_ptr<Range> Offset(std::int32_t RowOffset, std::int32_t ColumnOffset) const = 0;

  // The range with the same top-left cell and the given size; 1004 when the
  // size is below 1 or the result leaves the grid.
  virtual std::shared_ptr<Range> Resize(std::int32_t RowSize, std::int32_t ColumnSize) const = 0;

  // All cells of the range, as a range (Cells().Count() is the cell count).
  virtual std::shared_ptr<Range> Cells() const = 0;

  // The number of cells.
  virtual std::int64_t Count() const = 0;

  // The worksheet the range lies on.
  virtual std::shared_ptr<Worksheet> Parent() const = 0;

  // Activates the range's workbook and worksheet and makes the range's
  // top-left cell the active cell.
  virtual void Select() = 0;

  // The value of the top-left cell. Setting a value writes it into every cell
  // of the range; a DateTime gets a date (or date-time, when it has a time of
  // day) number format, other values keep the cell's format.
  virtual CellValue Value() const = 0;
  virtual void Value(const CellValue& value) = 0;

  // Writes every remaining row of the result set, from its current position
  // to its end, with the range's top-left cell as the first cell: one row per
  // record, one column per field, no heading. NULL leaves the cell empty;
  // numbers, decimals and booleans keep their type; text is text; dates and
  // times become serial numbers with a matching number format. A value no
  // cell can hold as it comes is changed as CellChange says (text cut to the
  // cell limit, long numbers and dates before March 1900 kept as text,
  // binary data left blank), and `Changes`, when given, receives what was
  // changed. At most MaxRows records and MaxColumns fields are written when
  // given. Returns the number of rows written; the result set is left at its
  // end (or after the last row written). A closed result set, or a block
  // that would run past the grid's last row or column, fails with 1004
  // before anything is written. A result set whose ReleaseRowsWhenCopied()
  // is true (a host extension) gives up its rows to a copy that reaches its
  // end: each field's values are freed once written.
  virtual std::int32_t CopyFromRecordset(db::Recordset& Data, std::optional<std::int32_t> MaxRows = std::nullopt,
                                         std::optional<std::int32_t> MaxColumns = std::nullopt,
                                         CopyReport* Changes = nullptr) = 0;

  // Switches the worksheet's auto filter on over exactly this range; the
  // range's first row is the filter's heading row. A worksheet has at most
  // one auto filter: calling this on the range that already carries it
  // switches it off, calling it on another range moves it there.
  virtual void AutoFilter() = 0;

  // Applies one of the built-in table designs (RangeAutoFormat) to the
  // range: heading row and body fonts, fills, borders, number formats and
  // alignment as the flags say, and with Width true fits the widths of the
  // range's columns to their contents. Any other design number fails with
  // 1004 and changes nothing.
  virtual void AutoFormat(const AutoFormatOptions& options = {}) = 0;
};

}  // namespace tavrello::host
