#include "platform/host/workbook/cell_store.h"

namespace tavrello::host {

const CellStore::Column* CellStore::column(std::int32_t column) const {
  auto it = columns_.find(column);
  return it == columns_.end() ? nullptr : &it->second;
}

CellStore::Chunk& CellStore::chunk(Column& column, std::size_t index) {
  if (column.chunks.size() <= index) column.chunks.resize(index + 1);
  if (!column.chunks[index]) column.chunks[index] = std::make_unique<Chunk>();
  return *column.chunks[index];
}

const Cell* CellStore::find(std::int32_t row, std::int32_t columnNumber) const {
  const Column* col = column(columnNumber);
  if (!col) return nullptr;
  std::size_t index = static_cast<std::size_t>(row - 1) / kChunkRows;
  if (index >= col->chunks.size() || !col->chunks[index]) return nullptr;
  return &col->chunks[index]->cells[static_cast<std::size_t>(row - 1) % kChunkRows];
}

Cell& CellStore::at(std::int32_t row, std::int32_t columnNumber) {
  ++revision_;
  std::size_t index = static_cast<std::size_t>(row - 1) / kChunkRows;
  return chunk(columns_[columnNumber], index).cells[static_cast<std::size_t>(row - 1) % kChunkRows];
}

void CellStore::clear(const CellRect& rect, bool keepStyle) {
  ++revision_;
  for (auto it = columns_.lower_bound(rect.left); it != columns_.end() && it->first <= rect.right; ++it) {
    auto& chunks = it->second.chunks;
    for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
      std::size_t ci = static_cast<std::size_t>(row - 1) / kChunkRows;
      if (ci >= chunks.size()) break;
      if (!chunks[ci]) {
        row = static_cast<std::int32_t>(ci + 1) * kChunkRows;  // skip the unwritten chunk
        continue;
      }
      Cell& cell = chunks[ci]->cells[static_cast<std::size_t>(row - 1) % kChunkRows];
      if (keepStyle) cell.clearContent();
      else cell = Cell();
    }
  }
}

void CellStore::shiftRows(std::int32_t fromRow, std::int32_t left, std::int32_t right, std::int32_t delta) {
  if (delta == 0) return;
  ++revision_;
  for (auto it = columns_.lower_bound(left); it != columns_.end() && it->first <= right; ++it) {
    std::int32_t last = lastUsedRow(it->first, it->first);
    if (delta > 0) {
      for (std::int32_t row = last; row >= fromRow; --row) {
        const Cell* from = find(row, it->first);
        Cell moved = from ? *from : Cell();
        if (!moved.isBlank() || find(row + delta, it->first)) at(row + delta, it->first) = moved;
      }
      clear({fromRow, it->first, std::min(fromRow + delta - 1, std::max(last, fromRow)), it->first}, false);
    } else {
      std::int32_t target = fromRow + delta;
      for (std::int32_t row = fromRow; row <= last; ++row, ++target) {
        const Cell* from = find(row, it->first);
        Cell moved = from ? *from : Cell();
        if (!moved.isBlank() || find(target, it->first)) at(target, it->first) = moved;
      }
      // The deleted rows and the tail the moved cells left behind.
      std::int32_t clearFrom = std::max(fromRow + delta, last + delta + 1);
      std::int32_t clearTo = std::max(last, fromRow - 1);
      if (clearFrom <= clearTo) clear({clearFrom, it->first, clearTo, it->first}, false);
    }
  }
}

std::int32_t CellStore::lastUsedRow(std::int32_t left, std::int32_t right) const {
  std::int32_t last = 0;
  for (auto it = columns_.lower_bound(left); it != columns_.end() && it->first <= right; ++it) {
    const auto& chunks = it->second.chunks;
    for (std::size_t ci = chunks.size(); ci-- > 0;) {
      if (!chunks[ci]) continue;
      std::int32_t base = static_cast<std::int32_t>(ci) * kChunkRows + 1;
      if (base + kChunkRows - 1 <= last) break;
      bool found = false;
      for (std::int32_t i = kChunkRows - 1; i >= 0; --i) {
        if (!chunks[ci]->cells[i].isBlank()) {
          last = std::max(last, base + i);
          found = true;
          break;
        }
      }
      if (found) break;
    }
  }
  return last;
}

bool CellStore::usedRect(CellRect& rect) const {
  bool any = false;
  for (const auto& [columnNumber, col] : columns_) {
    std::int32_t first = 0;
    for (std::size_t ci = 0; ci < col.chunks.size() && first == 0; ++ci) {
      if (!col.chunks[ci]) continue;
      for (std::int32_t i = 0; i < kChunkRows; ++i) {
        if (!col.chunks[ci]->cells[i].isBlank()) {
          first = static_cast<std::int32_t>(ci) * kChunkRows + 1 + i;
          break;
        }
      }
    }
    if (first == 0) continue;
    std::int32_t last = lastUsedRow(columnNumber, columnNumber);
    CellRect here{first, columnNumber, last, columnNumber};
    rect = any ? rect.united(here) : here;
    any = true;
  }
  return any;
}

std::size_t CellStore::bytesUsed() const {
  std::size_t bytes = 0;
  for (const auto& [number, col] : columns_) {
    bytes += sizeof(Column) + 48 + col.chunks.capacity() * sizeof(void*);
    for (const auto& c : col.chunks) {
      if (c) bytes += sizeof(Chunk);
    }
  }
  return bytes;
}

}  // namespace tavrello::host
