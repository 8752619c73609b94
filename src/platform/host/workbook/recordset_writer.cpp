#include "platform/host/workbook/recordset_writer.h"

#include <algorithm>

#include "platform/db/recordset.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

// The number format a date kind of field gives its cells, or nothing.
std::optional<std::string_view> dateFormatFor(db::DataType type) {
  switch (type) {
    case db::DataType::Date: return number_format::kDate;
    case db::DataType::Time: return number_format::kTime;
    case db::DataType::DateTime: return number_format::kDateTime;
    default: return std::nullopt;
  }
}

// Turns cell styles into the same style with a date format, remembering the
// last answer: a column's cells mostly share one style.
class DateStyler {
 public:
  DateStyler(StyleTable& styles, std::string_view code) : styles_(styles), format_(styles.addNumberFormat(code)) {}
  std::uint32_t operator()(std::uint32_t style) {
    if (style == lastIn_ && haveLast_) return lastOut_;
    lastIn_ = style;
    lastOut_ = styles_.isDateStyle(style) ? style : styles_.withNumberFormat(style, format_);
    haveLast_ = true;
    return lastOut_;
  }

 private:
  StyleTable& styles_;
  std::uint32_t format_;
  std::uint32_t lastIn_ = 0, lastOut_ = 0;
  bool haveLast_ = false;
};

void writeColumn(CellStore& cells, StringPool& strings, StyleTable& styles, std::int32_t top, std::int32_t column,
                 const db::Column& field, std::size_t firstRow, std::size_t rows) {
  const auto count = static_cast<std::int32_t>(rows);
  switch (field.type()) {
    case db::DataType::Null:
      cells.fillColumn(column, top, count, [](std::int32_t, Cell& cell) { cell.clearContent(); });
      return;
    case db::DataType::Integer:
    case db::DataType::Double:
    case db::DataType::Decimal:
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        std::size_t r = firstRow + static_cast<std::size_t>(row - top);
        if (field.isNull(r)) cell.clearContent();
        else cell.setNumber(field.real(r));
      });
      return;
    case db::DataType::Boolean:
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        std::size_t r = firstRow + static_cast<std::size_t>(row - top);
        if (field.isNull(r)) cell.clearContent();
        else cell.setBoolean(field.boolean(r));
      });
      return;
    case db::DataType::Text:
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        std::size_t r = firstRow + static_cast<std::size_t>(row - top);
        std::string_view text = field.isNull(r) ? std::string_view() : field.text(r);
        // Empty text leaves an empty cell, as typing nothing does.
        if (text.empty()) cell.clearContent();
        else cell.setText(strings.intern(text));
      });
      return;
    case db::DataType::Date:
    case db::DataType::Time:
    case db::DataType::DateTime: {
      DateStyler dated(styles, *dateFormatFor(field.type()));
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        std::size_t r = firstRow + static_cast<std::size_t>(row - top);
        if (field.isNull(r)) {
          cell.clearContent();
          return;
        }
        cell.setNumber(field.serial(r));
        cell.setStyle(dated(cell.style()));
      });
      return;
    }
    case db::DataType::Binary:
      break;
  }
  throw Failure::host("Field '" + field.name() + "' holds binary data, which cannot be copied into cells.");
}

}  // namespace

void checkCopyableFields(const db::Recordset& data, std::size_t columns) {
  for (std::size_t i = 0; i < columns; ++i) {
    const db::Column& field = data.column(i);
    if (field.type() == db::DataType::Binary)
      throw Failure::host("Field '" + field.name() + "' holds binary data, which cannot be copied into cells.");
  }
}

void writeRecordRows(Sheet& sheet, std::int32_t top, std::int32_t left, const db::Recordset& data,
                     std::size_t firstRow, std::size_t rows, std::size_t columns) {
  if (rows == 0) return;
  auto book = sheet.book();
  for (std::size_t i = 0; i < columns; ++i) {
    writeColumn(sheet.cells(), book->strings(), book->styles(), top, left + static_cast<std::int32_t>(i),
                data.column(i), firstRow, rows);
  }
}

std::int32_t copyRecordset(Sheet& sheet, std::int32_t top, std::int32_t left, db::Recordset& data,
                           std::optional<std::int32_t> maxRows, std::optional<std::int32_t> maxColumns) {
  if ((maxRows && *maxRows < 0) || (maxColumns && *maxColumns < 0)) throw Failure::invalidCall();
  if (data.State() != 1) throw Failure::host("CopyFromRecordset needs an open result set.");
  const std::size_t total = data.rowCount();
  const std::size_t start = data.Eof() ? total : data.position();
  std::size_t rows = total - start;
  std::size_t columns = data.columnCount();
  if (maxRows) rows = std::min<std::size_t>(rows, static_cast<std::size_t>(*maxRows));
  if (maxColumns) columns = std::min<std::size_t>(columns, static_cast<std::size_t>(*maxColumns));
  checkCopyableFields(data, columns);
  const GridSize& grid = sheet.grid();
  if (rows > static_cast<std::size_t>(grid.rows - top + 1))
    throw Failure::host("The " + std::to_string(rows) + " rows of the result do not fit below row " +
                        std::to_string(top) + " of the worksheet.");
  if (columns > static_cast<std::size_t>(grid.columns - left + 1))
    throw Failure::host("The " + std::to_string(columns) + " fields of the result do not fit right of column " +
                        std::to_string(left) + " of the worksheet.");
  writeRecordRows(sheet, top, left, data, start, rows, columns);
  if (start + rows >= total) {
    if (total > 0 && !data.Eof()) {
      data.MoveLast();
      data.MoveNext();
    }
  } else {
    data.AbsolutePosition(static_cast<std::int64_t>(start + rows + 1));
  }
  return static_cast<std::int32_t>(rows);
}

}  // namespace tavrello::host
