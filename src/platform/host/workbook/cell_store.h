#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/host/workbook/cell.h"
#include "platform/host/workbook/grid.h"

namespace tavrello::host {

// The cells of one worksheet, kept column by column in chunks of rows that
// are allocated when a cell in them is first written. A million-row column
// thus costs its 12-byte cells and one pointer per chunk; empty parts of the
// grid cost nothing.
class CellStore {
 public:
  static constexpr std::int32_t kChunkRows = 1024;

  CellStore() = default;
  CellStore(const CellStore&) = delete;
  CellStore& operator=(const CellStore&) = delete;

  // The cell, or nullptr when its chunk was never written (an empty,
  // unstyled cell).
  const Cell* find(std::int32_t row, std::int32_t column) const;

  // The cell for writing, allocating its chunk when needed.
  Cell& at(std::int32_t row, std::int32_t column);

  // The cells of one column from `top` down, `count` of them, for writing
  // many at once: calls fn(row, Cell&) for each, allocating chunks as needed.
  template <class Fn>
  void fillColumn(std::int32_t column, std::int32_t top, std::int32_t count, Fn&& fn);

  // Calls fn(row, column, const Cell&) for every stored cell inside `rect`
  // that is not blank, column by column, top to bottom.
  template <class Fn>
  void forEach(const CellRect& rect, Fn&& fn) const;

  // Empties the cells of `rect`; with keepStyle their styles stay.
  void clear(const CellRect& rect, bool keepStyle);

  // Moves every cell at `fromRow` and below, in columns left..right, by
  // `delta` rows (down when positive). Moving up overwrites the `-delta`
  // rows above `fromRow`; moving down leaves the rows it opened blank.
  // The caller has checked that nothing falls off the grid (see
  // lastUsedRow).
  void shiftRows(std::int32_t fromRow, std::int32_t left, std::int32_t right, std::int32_t delta);

  // The last row holding a cell that is not blank in columns left..right; 0
  // when there is none.
  std::int32_t lastUsedRow(std::int32_t left, std::int32_t right) const;

  // The smallest rectangle holding every cell that is not blank; nothing
  // when the sheet is empty.
  bool usedRect(CellRect& rect) const;

  // Bytes held by chunks and their tables.
  std::size_t bytesUsed() const;

  // Counts the calls that may write cells (at, fillColumn, clear,
  // shiftRows): a reader that kept an earlier count can tell that nothing
  // has been written since, as the host window does to ask about unsaved
  // changes.
  std::uint64_t revision() const { return revision_; }

 private:
  struct Chunk {
    std::array<Cell, kChunkRows> cells;
  };
  struct Column {
    std::vector<std::unique_ptr<Chunk>> chunks;
  };

  const Column* column(std::int32_t column) const;
  Chunk& chunk(Column& column, std::size_t index);

  std::map<std::int32_t, Column> columns_;
  std::uint64_t revision_ = 0;
};

template <class Fn>
void CellStore::fillColumn(std::int32_t column, std::int32_t top, std::int32_t count, Fn&& fn) {
  ++revision_;
  Column& col = columns_[column];
  std::int32_t row = top;
  std::int32_t end = top + count;
  while (row < end) {
    std::size_t index = static_cast<std::size_t>(row - 1) / kChunkRows;
    std::int32_t first = static_cast<std::int32_t>(index) * kChunkRows + 1;
    Chunk& c = chunk(col, index);
    std::int32_t stop = std::min(end, first + kChunkRows);
    for (; row < stop; ++row) fn(row, c.cells[row - first]);
  }
}

template <class Fn>
void CellStore::forEach(const CellRect& rect, Fn&& fn) const {
  for (auto it = columns_.lower_bound(rect.left); it != columns_.end() && it->first <= rect.right; ++it) {
    const auto& chunks = it->second.chunks;
    std::size_t firstChunk = static_cast<std::size_t>(rect.top - 1) / kChunkRows;
    std::size_t lastChunk = static_cast<std::size_t>(rect.bottom - 1) / kChunkRows;
    for (std::size_t ci = firstChunk; ci <= lastChunk && ci < chunks.size(); ++ci) {
      if (!chunks[ci]) continue;
      std::int32_t base = static_cast<std::int32_t>(ci) * kChunkRows + 1;
      std::int32_t from = std::max(rect.top, base);
      std::int32_t to = std::min(rect.bottom, base + kChunkRows - 1);
      for (std::int32_t row = from; row <= to; ++row) {
        const Cell& cell = chunks[ci]->cells[row - base];
        if (!cell.isBlank()) fn(row, it->first, cell);
      }
    }
  }
}

}  // namespace tavrello::host
