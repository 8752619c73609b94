#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrello {

// The host's Version text as a number: its leading decimal number ("11.0"
// gives 11, "12.0" gives 12, "14.0 beta" gives 14); 0 for text that does not
// begin with one.
double HostVersionNumber(std::string_view version);

// What an import is about to place: its record and field counts, and the
// row of its first data row and the column of its destination cell.
struct ImportExtent {
  std::int32_t recordCount = 0;
  std::int32_t firstDataRow = 1;
  std::int32_t fieldCount = 0;
  std::int32_t destinationColumn = 1;
};

// The message of the first grid limit that the import would break on a host
// of `version`, or nothing when it fits. Hosts below 12 have 65,536 rows by
// 256 columns, version 12 exactly 1,048,576 by 16,384; above 12 nothing is
// checked. The record limits are one below the row counts. The checks run in
// this order: records, last row, fields, last column. A sum beyond 32 bits
// fails with 6 ("Overflow").
std::optional<std::string> GridLimitRefusal(double version, const ImportExtent& extent);

}  // namespace tavrello
