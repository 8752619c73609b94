#include "platform/host/workbook/cell_store.h"

#include <gtest/gtest.h>

namespace tavrello::host {
namespace {

double numberAt(const CellStore& store, std::int32_t row, std::int32_t column) {
  const Cell* cell = store.find(row, column);
  return cell && cell->kind() == CellKind::Number ? cell->number() : -1;
}

TEST(CellStore, UnwrittenCellsCostNothingAndReadAsMissing) {
  CellStore store;
  EXPECT_EQ(store.find(1, 1), nullptr);
  EXPECT_EQ(store.find(1048576, 16384), nullptr);
  EXPECT_EQ(store.bytesUsed(), 0u);
  store.at(1048576, 16384).setNumber(7);
  EXPECT_EQ(numberAt(store, 1048576, 16384), 7);
  EXPECT_EQ(store.find(1, 16384), nullptr);  // same column, its first chunk never written
}

TEST(CellStore, ANumericCellTakesTwelveBytesInAFullColumn) {
  CellStore store;
  store.fillColumn(1, 1, 1048576, [](std::int32_t row, Cell& cell) { cell.setNumber(row + 0.5); });
  EXPECT_EQ(numberAt(store, 1048576, 1), 1048576.5);
  double perCell = static_cast<double>(store.bytesUsed()) / 1048576;
  EXPECT_LT(perCell, 12.1);
}

TEST(Cell, KindValueAndStyleShareTheirWordsWithoutDisturbingEachOther) {
  Cell cell;
  EXPECT_TRUE(cell.isBlank());
  cell.setStyle(Cell::kStyleLimit - 1);
  EXPECT_TRUE(cell.isEmpty());
  EXPECT_FALSE(cell.isBlank()) << "a styled empty cell is not blank";
  cell.setNumber(-1234.5e-300);
  EXPECT_EQ(cell.kind(), CellKind::Number);
  EXPECT_EQ(cell.number(), -1234.5e-300);
  EXPECT_EQ(cell.style(), Cell::kStyleLimit - 1);
  cell.setText(0xFFFFFFFFu);
  EXPECT_EQ(cell.kind(), CellKind::Text);
  EXPECT_EQ(cell.textIndex(), 0xFFFFFFFFu);
  cell.setStyle(3);
  EXPECT_EQ(cell.kind(), CellKind::Text);
  EXPECT_EQ(cell.style(), 3u);
  cell.setError(CellError::NA);
  EXPECT_EQ(cell.error(), CellError::NA);
  cell.clearContent();
  EXPECT_TRUE(cell.isEmpty());
  EXPECT_EQ(cell.style(), 3u);
  cell.setStyle(0);
  EXPECT_TRUE(cell.isBlank());
}

TEST(CellStore, ShiftingDownMovesCellsAcrossChunkBoundariesAndLeavesTheGapBlank) {
  CellStore store;
  for (std::int32_t row = 1000; row <= 1030; ++row) store.at(row, 2).setNumber(row);
  store.at(1010, 3).setNumber(99);  // another column: untouched
  store.shiftRows(1010, 2, 2, 30);
  EXPECT_EQ(numberAt(store, 1009, 2), 1009);
  for (std::int32_t row = 1010; row < 1040; ++row) EXPECT_EQ(numberAt(store, row, 2), -1) << row;
  EXPECT_EQ(numberAt(store, 1040, 2), 1010);
  EXPECT_EQ(numberAt(store, 1060, 2), 1030);
  EXPECT_EQ(numberAt(store, 1010, 3), 99);
  EXPECT_EQ(store.lastUsedRow(2, 2), 1060);
}

TEST(CellStore, ShiftingUpDeletesTheRowsAboveAndClearsTheTail) {
  CellStore store;
  for (std::int32_t row = 1; row <= 10; ++row) store.at(row, 1).setNumber(row);
  store.shiftRows(6, 1, 1, -3);  // rows 3..5 go
  EXPECT_EQ(numberAt(store, 2, 1), 2);
  EXPECT_EQ(numberAt(store, 3, 1), 6);
  EXPECT_EQ(numberAt(store, 7, 1), 10);
  EXPECT_EQ(numberAt(store, 8, 1), -1);
  EXPECT_EQ(store.lastUsedRow(1, 1), 7);
}

TEST(CellStore, ShiftingUpWithNothingBelowStillDeletesTheRows) {
  CellStore store;
  for (std::int32_t row = 1; row <= 5; ++row) store.at(row, 1).setNumber(row);
  store.shiftRows(6, 1, 1, -3);
  EXPECT_EQ(store.lastUsedRow(1, 1), 2);
}

TEST(CellStore, StylesMoveWithTheirCellsAndClearCanKeepThem) {
  CellStore store;
  store.at(5, 1).setStyle(3);
  store.shiftRows(5, 1, 1, 2);
  EXPECT_EQ(store.find(7, 1)->style(), 3u);
  EXPECT_TRUE(store.find(5, 1)->isBlank());
  store.at(7, 1).setNumber(1);
  store.clear({7, 1, 7, 1}, true);
  EXPECT_TRUE(store.find(7, 1)->isEmpty());
  EXPECT_EQ(store.find(7, 1)->style(), 3u);
  store.clear({7, 1, 7, 1}, false);
  EXPECT_TRUE(store.find(7, 1)->isBlank());
}

TEST(CellStore, UsedRectAndForEachSeeOnlyCellsThatAreNotBlank) {
  CellStore store;
  CellRect used;
  EXPECT_FALSE(store.usedRect(used));
  store.at(4, 3).setNumber(1);
  store.at(9, 7).setBoolean(true);
  store.at(2, 5);  // allocated, blank
  ASSERT_TRUE(store.usedRect(used));
  EXPECT_EQ(used, (CellRect{4, 3, 9, 7}));
  int seen = 0;
  store.forEach({1, 1, 100, 100}, [&](std::int32_t, std::int32_t, const Cell&) { ++seen; });
  EXPECT_EQ(seen, 2);
}

}  // namespace
}  // namespace tavrello::host
