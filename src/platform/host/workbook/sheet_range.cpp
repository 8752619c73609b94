#include "platform/host/workbook/sheet_range.h"

#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/auto_format.h"
#include "platform/host/workbook/recordset_writer.h"
#include "platform/host/workbook/sheet.h"
#include "platform/system/failure.h"

namespace tavrello::host {

SheetRange::SheetRange(std::shared_ptr<Sheet> sheet, const CellRect& rect) : sheet_(std::move(sheet)), rect_(rect) {}

std::string SheetRange::Address() const { return absoluteAddress(rect_); }

std::int32_t SheetRange::Row() const { return rect_.top; }

std::int32_t SheetRange::Column() const { return rect_.left; }

std::shared_ptr<Range> SheetRange::Offset(std::int32_t RowOffset, std::int32_t ColumnOffset) const {
  std::int64_t top = std::int64_t(rect_.top) + RowOffset, bottom = std::int64_t(rect_.bottom) + RowOffset;
  std::int64_t left = std::int64_t(rect_.left) + ColumnOffset, right = std::int64_t(rect_.right) + ColumnOffset;
  const GridSize& grid = sheet_->grid();
  if (top < 1 || left < 1 || bottom > grid.rows || right > grid.columns)
    throw Failure::host("The offset (" + std::to_string(RowOffset) + ", " + std::to_string(ColumnOffset) + ") from " +
                        Address() + " lies outside the worksheet.");
  return sheet_->range({static_cast<std::int32_t>(top), static_cast<std::int32_t>(left),
                        static_cast<std::int32_t>(bottom), static_cast<std::int32_t>(right)});
}

std::shared_ptr<Range> SheetRange::Resize(std::int32_t RowSize, std::int32_t ColumnSize) const {
  const GridSize& grid = sheet_->grid();
  if (RowSize < 1 || ColumnSize < 1 || RowSize > grid.rows - rect_.top + 1 || ColumnSize > grid.columns - rect_.left + 1)
    throw Failure::host("A range of " + std::to_string(RowSize) + " by " + std::to_string(ColumnSize) + " from " +
                        absoluteAddress(CellRect::cell(rect_.top, rect_.left)) + " does not fit the worksheet.");
  return sheet_->range({rect_.top, rect_.left, rect_.top + RowSize - 1, rect_.left + ColumnSize - 1});
}

std::shared_ptr<Range> SheetRange::Cells() const { return sheet_->range(rect_); }

std::int64_t SheetRange::Count() const { return rect_.count(); }

std::shared_ptr<Worksheet> SheetRange::Parent() const { return sheet_; }

void SheetRange::Select() {
  sheet_->Activate();
  sheet_->select(rect_);
}

CellValue SheetRange::Value() const { return sheet_->value(rect_.top, rect_.left); }

void SheetRange::Value(const CellValue& value) {
  for (std::int32_t column = rect_.left; column <= rect_.right; ++column) {
    for (std::int32_t row = rect_.top; row <= rect_.bottom; ++row) sheet_->setValue(row, column, value);
  }
}

std::int32_t SheetRange::CopyFromRecordset(db::Recordset& Data, std::optional<std::int32_t> MaxRows,
                                           std::optional<std::int32_t> MaxColumns, CopyReport* Changes) {
  return copyRecordset(*sheet_, rect_.top, rect_.left, Data, MaxRows, MaxColumns, Changes);
}

void SheetRange::AutoFilter() { sheet_->toggleAutoFilter(rect_); }

void SheetRange::AutoFormat(const AutoFormatOptions& options) { applyAutoFormat(*sheet_, rect_, options); }

const SheetRange& sheetRange(const std::shared_ptr<Range>& range) {
  if (!range) throw Failure::objectNotSet();
  auto* mine = dynamic_cast<const SheetRange*>(range.get());
  if (!mine) throw Failure::host("The range does not belong to this workbook host.");
  return *mine;
}

}  // namespace tavrello::host
