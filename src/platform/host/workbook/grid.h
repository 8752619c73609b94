#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace tavrello::host {

// The size of a worksheet's grid. Hosts of version 12 and later have
// 1,048,576 rows by 16,384 columns (A to XFD); older ones 65,536 by 256 (A to
// IV). The add-in checks its imports against the grid of the version the
// host reports, so the two must agree.
struct GridSize {
  std::int32_t rows = 1048576;
  std::int32_t columns = 16384;
  bool operator==(const GridSize&) const = default;
};

// The grid of a host whose Version text is `version` (its leading number is
// the major version; text without one counts as 12).
GridSize gridForVersion(std::string_view version);

// A rectangle of cells, rows and columns from 1, corners included.
struct CellRect {
  std::int32_t top = 1;
  std::int32_t left = 1;
  std::int32_t bottom = 1;
  std::int32_t right = 1;

  static CellRect cell(std::int32_t row, std::int32_t column) { return {row, column, row, column}; }

  std::int32_t rows() const { return bottom - top + 1; }
  std::int32_t columns() const { return right - left + 1; }
  std::int64_t count() const { return std::int64_t(rows()) * columns(); }
  bool contains(std::int32_t row, std::int32_t column) const {
    return row >= top && row <= bottom && column >= left && column <= right;
  }
  bool intersects(const CellRect& other) const {
    return other.top <= bottom && other.bottom >= top && other.left <= right && other.right >= left;
  }
  bool fits(const GridSize& grid) const {
    return top >= 1 && left >= 1 && bottom <= grid.rows && right <= grid.columns && top <= bottom && left <= right;
  }
  // The smallest rectangle holding both.
  CellRect united(const CellRect& other) const {
    return {std::min(top, other.top), std::min(left, other.left), std::max(bottom, other.bottom),
            std::max(right, other.right)};
  }
  bool operator==(const CellRect&) const = default;
};

}  // namespace tavrello::host
