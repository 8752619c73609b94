#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/host/query_tables.h"
#include "platform/host/workbook/grid.h"

namespace tavrello::host {

class Sheet;

// One query table of the workbook host: its stored properties, its place on
// the sheet and the block its last refresh filled. The file writer reads the
// properties through the object model and the place through footprint().
class SheetQueryTable : public QueryTable, public std::enable_shared_from_this<SheetQueryTable> {
 public:
  SheetQueryTable(std::weak_ptr<Sheet> sheet, QueryConnection connection, std::int32_t row, std::int32_t column,
                  std::string name);

  QueryConnection Connection() const override;
  void Connection(const QueryConnection& connection) override;
  int CommandType() const override;
  void CommandType(int type) override;
  std::string CommandText() const override;
  void CommandText(const std::string& text) override;
  std::string Name() const override;
  void Name(const std::string& name) override;
  bool FieldNames() const override { return fieldNames_; }
  void FieldNames(bool on) override { fieldNames_ = on; }
  bool RowNumbers() const override { return rowNumbers_; }
  void RowNumbers(bool on) override { rowNumbers_ = on; }
  bool FillAdjacentFormulas() const override { return fillAdjacentFormulas_; }
  void FillAdjacentFormulas(bool on) override { fillAdjacentFormulas_ = on; }
  bool PreserveFormatting() const override { return preserveFormatting_; }
  void PreserveFormatting(bool on) override { preserveFormatting_ = on; }
  bool RefreshOnFileOpen() const override { return refreshOnFileOpen_; }
  void RefreshOnFileOpen(bool on) override { refreshOnFileOpen_ = on; }
  bool BackgroundQuery() const override { return backgroundQuery_; }
  void BackgroundQuery(bool on) override { backgroundQuery_ = on; }
  int RefreshStyle() const override { return refreshStyle_; }
  void RefreshStyle(int style) override;
  bool SavePassword() const override { return savePassword_; }
  void SavePassword(bool on) override { savePassword_ = on; }
  bool SaveData() const override { return saveData_; }
  void SaveData(bool on) override { saveData_ = on; }
  bool AdjustColumnWidth() const override { return adjustColumnWidth_; }
  void AdjustColumnWidth(bool on) override { adjustColumnWidth_ = on; }
  std::int32_t RefreshPeriod() const override { return refreshPeriod_; }
  void RefreshPeriod(std::int32_t minutes) override;
  bool PreserveColumnInfo() const override { return preserveColumnInfo_; }
  void PreserveColumnInfo(bool on) override { preserveColumnInfo_ = on; }
  std::shared_ptr<Range> Destination() const override;
  std::shared_ptr<Range> ResultRange() const override;
  std::shared_ptr<Worksheet> Parent() const override;
  bool Refresh(std::optional<bool> BackgroundQuery = std::nullopt) override;
  CopyReport LastRefreshChanges() const override { return lastChanges_; }
  void Delete() override;

  // The sheet; 1004 when the table was deleted or its sheet is gone.
  std::shared_ptr<Sheet> sheet() const;
  // The block of the last refresh, or the destination cell before the first.
  CellRect footprint() const;
  const std::optional<CellRect>& result() const { return result_; }
  // The name of the sheet's scope that marks the block.
  std::string blockName() const;
  // Moves the table by whole rows (the sheet inserted or deleted cells).
  void moveRows(std::int32_t delta);
  // Records the block a refresh filled and names it.
  void setResult(const CellRect& rect);
  // Records what the refresh had to change in the values it placed.
  void setLastChanges(CopyReport changes) { lastChanges_ = std::move(changes); }
  // The table design last applied over the table's block (Range.AutoFormat),
  // which a saved file keeps with the table; nothing when none was.
  const std::optional<AutoFormatOptions>& autoFormat() const { return autoFormat_; }
  void autoFormat(std::optional<AutoFormatOptions> design) { autoFormat_ = design; }

 private:
  std::weak_ptr<Sheet> sheet_;
  bool deleted_ = false;
  QueryConnection connection_;
  std::int32_t row_;
  std::int32_t column_;
  std::optional<CellRect> result_;
  std::string name_;
  int commandType_ = XlCmdType::Sql;
  std::string commandText_;
  bool fieldNames_ = true;
  bool rowNumbers_ = false;
  bool fillAdjacentFormulas_ = false;
  bool preserveFormatting_ = true;
  bool refreshOnFileOpen_ = false;
  bool backgroundQuery_ = true;
  int refreshStyle_ = XlCellInsertionMode::InsertDeleteCells;
  bool savePassword_ = false;
  bool saveData_ = true;
  bool adjustColumnWidth_ = true;
  std::int32_t refreshPeriod_ = 0;
  bool preserveColumnInfo_ = true;
  std::optional<AutoFormatOptions> autoFormat_;
  CopyReport lastChanges_;
};

// The query tables collection of a sheet.
std::shared_ptr<QueryTables> makeQueryTables(std::shared_ptr<Sheet> sheet);

}  // namespace tavrello::host
