#include "platform/host/workbook/query_refresh.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/db/connection.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/column_fit.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/recordset_writer.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

std::string commandFor(const SheetQueryTable& table) {
  std::string text = table.CommandText();
  if (text.find_first_not_of(" \t\r\n") == std::string::npos)
    throw Failure::host("The query table '" + table.Name() + "' has no command text to run.");
  switch (table.CommandType()) {
    case XlCmdType::Sql: return text;
    case XlCmdType::Table: return "SELECT * FROM " + text;
    default:
      throw Failure::host("This host refreshes query tables of SQL statements (CommandType 2) and tables (3), not " +
                          std::to_string(table.CommandType()) + ".");
  }
}

// Runs the table's command; the result set outlives the connection.
std::shared_ptr<db::Recordset> fetch(const SheetQueryTable& table) {
  QuerySource source = parseQuerySource(joinConnection(table.Connection()));
  std::string command = commandFor(table);
  db::Connection connection;
  connection.Open(source.connectionString);
  connection.CursorLocation(3);
  auto result = connection.Execute(command);
  if (!result || result->State() != 1 || result->columnCount() == 0)
    throw Failure::host("The query table's command returned no result to place in the sheet.");
  return result;
}

// Row by row the styles of one row of the block, to give rows added below.
std::vector<std::uint32_t> rowStyles(const Sheet& sheet, std::int32_t row, std::int32_t left, std::int32_t right) {
  std::vector<std::uint32_t> styles;
  for (std::int32_t column = left; column <= right; ++column) {
    const Cell* cell = sheet.cells().find(row, column);
    styles.push_back(cell ? cell->style() : 0);
  }
  return styles;
}

}  // namespace

void refreshQueryTable(SheetQueryTable& table) {
  auto sheet = table.sheet();
  auto result = fetch(table);

  const bool heading = table.FieldNames();
  const bool rowNumbers = table.RowNumbers();
  const auto records = static_cast<std::int64_t>(result->rowCount());
  const auto fields = static_cast<std::int32_t>(result->columnCount());

  const CellRect old = table.footprint();
  const GridSize& grid = sheet->grid();
  std::int64_t height = std::max<std::int64_t>(1, records + (heading ? 1 : 0));
  std::int64_t width = fields + (rowNumbers ? 1 : 0);
  if (old.top + height - 1 > grid.rows || old.left + width - 1 > grid.columns)
    throw Failure::host("The " + std::to_string(records) + " rows and " + std::to_string(fields) +
                        " fields of the result do not fit the worksheet at the query table's place.");
  const CellRect block{old.top, old.left, static_cast<std::int32_t>(old.top + height - 1),
                       static_cast<std::int32_t>(old.left + width - 1)};
  const std::int32_t delta = block.bottom - old.bottom;
  const bool preserve = table.PreserveFormatting();

  // The formats rows added below the old block will take.
  std::vector<std::uint32_t> lastRowStyles;
  bool oldHadData = table.result() && old.rows() > (heading ? 1 : 0);
  if (preserve && delta > 0 && oldHadData) lastRowStyles = rowStyles(*sheet, old.bottom, block.left, block.right);

  // Make room first: this is the one step that can refuse (cells pushed off
  // the grid), and it changes nothing when it does.
  switch (table.RefreshStyle()) {
    case XlCellInsertionMode::InsertDeleteCells:
      sheet->shiftCells(old.bottom + 1, old.left, std::max(old.right, block.right), delta);
      break;
    case XlCellInsertionMode::InsertEntireRows:
      if (delta > 0) sheet->shiftCells(old.bottom + 1, 1, grid.columns, delta);
      break;
    default:
      break;
  }

  // Cells the table leaves: the tail of a taller old block that was not
  // deleted, and the columns a wider old block had.
  if (block.bottom < old.bottom && table.RefreshStyle() != XlCellInsertionMode::InsertDeleteCells)
    sheet->cells().clear({block.bottom + 1, old.left, old.bottom, old.right}, false);
  if (old.right > block.right)
    sheet->cells().clear({old.top, block.right + 1, std::min(old.bottom, block.bottom), old.right}, false);

  sheet->cells().clear(block, preserve);
  if (!lastRowStyles.empty()) {
    std::int32_t firstNew = old.bottom + 1;
    for (std::int32_t column = block.left; column <= block.right; ++column) {
      std::uint32_t style = lastRowStyles[static_cast<std::size_t>(column - block.left)];
      if (style == 0) continue;
      sheet->cells().fillColumn(column, firstNew, block.bottom - firstNew + 1,
                                [style](std::int32_t, Cell& cell) { cell.setStyle(style); });
    }
  }

  std::int32_t dataTop = block.top + (heading ? 1 : 0);
  std::int32_t dataLeft = block.left + (rowNumbers ? 1 : 0);
  if (heading) {
    for (std::int32_t i = 0; i < fields; ++i)
      sheet->setValue(block.top, dataLeft + i, result->column(static_cast<std::size_t>(i)).name());
  }
  if (rowNumbers && records > 0) {
    sheet->cells().fillColumn(block.left, dataTop, static_cast<std::int32_t>(records),
                              [dataTop](std::int32_t row, Cell& cell) { cell.setNumber(row - dataTop + 1); });
  }
  CopyReport changes;
  writeRecordRows(*sheet, dataTop, dataLeft, *result, 0, result->rowCount(), result->columnCount(), changes);

  // An auto filter over the table follows its block.
  if (auto filter = sheet->autoFilter();
      filter && filter->top == old.top && filter->left == old.left && filter->right == old.right) {
    CellRect moved = *filter;
    moved.right = block.right;
    moved.bottom = std::max(moved.top, filter->bottom + delta);
    sheet->toggleAutoFilter(*filter);
    sheet->toggleAutoFilter(moved);
  }

  table.setResult(block);
  table.setLastChanges(std::move(changes));
  if (table.AdjustColumnWidth()) fitColumns(*sheet, block);
}

}  // namespace tavrello::host
