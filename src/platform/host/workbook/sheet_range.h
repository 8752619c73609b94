#pragma once

#include <memory>

#include "platform/host/range.h"
#include "platform/host/workbook/grid.h"

namespace tavrello::host {

class Sheet;

// The workbook host's Range: a rectangle of one sheet.
class SheetRange : public Range {
 public:
  SheetRange(std::shared_ptr<Sheet> sheet, const CellRect& rect);

  std::string Address() const override;
  std::int32_t Row() const override;
  std::int32_t Column() const override;
  std::shared_ptr<Range> Offset(std::int32_t RowOffset, std::int32_t ColumnOffset) const override;
  std::shared_ptr<Range> Resize(std::int32_t RowSize, std::int32_t ColumnSize) const override;
  std::shared_ptr<Range> Cells() const override;
  std::int64_t Count() const override;
  std::shared_ptr<Worksheet> Parent() const override;
  void Select() override;
  CellValue Value() const override;
  void Value(const CellValue& value) override;
  std::int32_t CopyFromRecordset(db::Recordset& Data, std::optional<std::int32_t> MaxRows = std::nullopt,
                                 std::optional<std::int32_t> MaxColumns = std::nullopt,
                                 CopyReport* Changes = nullptr) override;
  void AutoFilter() override;
  void AutoFormat(const AutoFormatOptions& options = {}) override;

  const CellRect& rect() const { return rect_; }
  const std::shared_ptr<Sheet>& sheet() const { return sheet_; }

 private:
  std::shared_ptr<Sheet> sheet_;
  CellRect rect_;
};

// The SheetRange behind an object-model Range handed out by this host;
// 1004 for nothing or a range of another host.
const SheetRange& sheetRange(const std::shared_ptr<Range>& range);

}  // namespace tavrello::host
