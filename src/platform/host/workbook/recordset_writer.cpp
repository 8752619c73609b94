#include "platform/host/workbook/recordset_writer.h"

#include <algorithm>
#include <cmath>

#include "platform/db/date_serial.h"
#include "platform/db/recordset.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/cell_fidelity.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/xlsx/xml_text.h"
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

// Keeps a text within the cell limit.
void putText(Cell& cell, StringPool& strings, std::string_view text, FieldChanges& changes) {
  bool cut = false;
  const std::string_view kept = xlsx::cutToCellLimit(text, cut);
  if (cut) changes.add(CellChange::TextCut);
  cell.setText(strings.intern(kept));
}

void putNumberAsText(Cell& cell, StringPool& strings, std::string_view text, FieldChanges& changes) {
  changes.add(CellChange::NumberAsText);
  putText(cell, strings, text, changes);
}

// Rows a consuming copy writes before it gives their values back.
constexpr std::size_t kReleaseSlice = 64 * 1024;

// Below 10^15 in magnitude an integer has at most 15 digits.
constexpr std::int64_t kExactIntegerBound = 1000000000000000;

void writeColumn(CellStore& cells, StringPool& strings, StyleTable& styles, std::int32_t top, std::int32_t column,
                 const db::Column& field, std::size_t firstRow, std::size_t rows, FieldChanges& changes) {
  const auto count = static_cast<std::int32_t>(rows);
  const auto rowOf = [&](std::int32_t row) { return firstRow + static_cast<std::size_t>(row - top); };
  switch (field.type()) {
    case db::DataType::Null:
      cells.fillColumn(column, top, count, [](std::int32_t, Cell& cell) { cell.clearContent(); });
      return;
    case db::DataType::Integer:
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        const std::size_t r = rowOf(row);
        if (field.isNull(r)) {
          cell.clearContent();
          return;
        }
        const std::int64_t value = field.int64(r);
        if ((value < kExactIntegerBound && value > -kExactIntegerBound) || significantDigits(value) <= kExactDigits)
          cell.setNumber(static_cast<double>(value));
        else
          putNumberAsText(cell, strings, std::to_string(value), changes);
      });
      return;
    case db::DataType::Double:
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        const std::size_t r = rowOf(row);
        if (field.isNull(r)) {
          cell.clearContent();
          return;
        }
        const double value = field.real(r);
        if (std::isfinite(value)) cell.setNumber(value);
        else putNumberAsText(cell, strings, nonFiniteText(value), changes);
      });
      return;
    case db::DataType::Decimal:
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        const std::size_t r = rowOf(row);
        if (field.isNull(r)) {
          cell.clearContent();
          return;
        }
        const std::string_view text = field.text(r);
        const double value = field.real(r);
        // Fifteen characters hold at most fifteen digits.
        if (std::isfinite(value) && (text.size() <= kExactDigits || significantDigits(text) <= kExactDigits))
          cell.setNumber(value);
        else
          putNumberAsText(cell, strings, text, changes);
      });
      return;
    case db::DataType::Boolean:
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        const std::size_t r = rowOf(row);
        if (field.isNull(r)) cell.clearContent();
        else cell.setBoolean(field.boolean(r));
      });
      return;
    case db::DataType::Text:
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        const std::size_t r = rowOf(row);
        const std::string_view text = field.isNull(r) ? std::string_view() : field.text(r);
        // Empty text leaves an empty cell, as typing nothing does.
        if (text.empty()) cell.clearContent();
        else putText(cell, strings, text, changes);
      });
      return;
    case db::DataType::Date:
    case db::DataType::Time:
    case db::DataType::DateTime: {
      DateStyler dated(styles, *dateFormatFor(field.type()));
      const bool hasDay = field.type() != db::DataType::Time;
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        const std::size_t r = rowOf(row);
        if (field.isNull(r)) {
          cell.clearContent();
          return;
        }
        const double serial = field.serial(r);
        if (hasDay && serial < kFirstFaithfulDateSerial) {
          changes.add(CellChange::DateAsText);
          putText(cell, strings, db::formatSerial(serial, field.type()), changes);
          return;
        }
        cell.setNumber(serial);
        cell.setStyle(dated(cell.style()));
      });
      return;
    }
    case db::DataType::Binary:
      cells.fillColumn(column, top, count, [&](std::int32_t row, Cell& cell) {
        if (!field.isNull(rowOf(row))) changes.add(CellChange::BinaryLeftBlank);
        cell.clearContent();
      });
      return;
  }
}

// writeRecordRows for a result set its caller closes next: each field's
// values go as soon as they are cells, slice by slice, so the result and its
// cells never coexist whole. Every field is released, copied or not.
void consumeRecordRows(Sheet& sheet, std::int32_t top, std::int32_t left, db::Recordset& data, std::size_t firstRow,
                       std::size_t rows, std::size_t columns, CopyReport& report) {
  auto book = sheet.book();
  for (std::size_t i = 0; i < columns; ++i) {
    const db::Column& field = data.column(i);
    FieldChanges changes(field.name());
    for (std::size_t done = 0; done < rows;) {
      const std::size_t slice = std::min(kReleaseSlice, rows - done);
      writeColumn(sheet.cells(), book->strings(), book->styles(), top + static_cast<std::int32_t>(done),
                  left + static_cast<std::int32_t>(i), field, firstRow + done, slice, changes);
      done += slice;
      data.releaseRows(i, firstRow + done);
    }
    changes.reportTo(report);
  }
  for (std::size_t i = 0; i < data.columnCount(); ++i) data.releaseRows(i, data.rowCount());
}

}  // namespace

void writeRecordRows(Sheet& sheet, std::int32_t top, std::int32_t left, const db::Recordset& data,
                     std::size_t firstRow, std::size_t rows, std::size_t columns, CopyReport& report) {
  if (rows == 0) return;
  auto book = sheet.book();
  for (std::size_t i = 0; i < columns; ++i) {
    const db::Column& field = data.column(i);
    FieldChanges changes(field.name());
    writeColumn(sheet.cells(), book->strings(), book->styles(), top, left + static_cast<std::int32_t>(i), field,
                firstRow, rows, changes);
    changes.reportTo(report);
  }
}

std::int32_t copyRecordset(Sheet& sheet, std::int32_t top, std::int32_t left, db::Recordset& data,
                           std::optional<std::int32_t> maxRows, std::optional<std::int32_t> maxColumns,
                           CopyReport* report) {
  if ((maxRows && *maxRows < 0) || (maxColumns && *maxColumns < 0)) throw Failure::invalidCall();
  if (data.State() != 1) throw Failure::host("CopyFromRecordset needs an open result set.");
  const std::size_t total = data.rowCount();
  const std::size_t start = data.Eof() ? total : data.position();
  std::size_t rows = total - start;
  std::size_t columns = data.columnCount();
  if (maxRows) rows = std::min<std::size_t>(rows, static_cast<std::size_t>(*maxRows));
  if (maxColumns) columns = std::min<std::size_t>(columns, static_cast<std::size_t>(*maxColumns));
  const GridSize& grid = sheet.grid();
  if (rows > static_cast<std::size_t>(grid.rows - top + 1))
    throw Failure::host("The " + std::to_string(rows) + " rows of the result do not fit below row " +
                        std::to_string(top) + " of the worksheet.");
  if (columns > static_cast<std::size_t>(grid.columns - left + 1))
    throw Failure::host("The " + std::to_string(columns) + " fields of the result do not fit right of column " +
                        std::to_string(left) + " of the worksheet.");
  CopyReport changes;
  if (data.ReleaseRowsWhenCopied() && start + rows >= total)
    consumeRecordRows(sheet, top, left, data, start, rows, columns, changes);
  else
    writeRecordRows(sheet, top, left, data, start, rows, columns, changes);
  if (report) *report = std::move(changes);
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
