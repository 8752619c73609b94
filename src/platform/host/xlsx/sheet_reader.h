#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/xlsx/read_limits.h"

namespace tavrello::host {
class Sheet;
}

namespace tavrello::host::xlsx {

class ZipReader;

// What a sheet held that the host does not keep, for the open's warning.
struct SheetFindings {
  std::size_t formulas = 0;  // their last results are kept as values
  bool mergedCells = false;
  bool hyperlinks = false;
  bool conditionalFormats = false;
  bool dataValidations = false;
  bool filterCriteria = false;  // the auto filter's buttons stay, its criteria go
  bool comments = false;
  bool drawings = false;
};

// What the sheet reader looks cells' texts and formats up in.
struct SheetContext {
  const std::vector<std::uint32_t>& sharedStrings;  // file index -> pool index
  const std::vector<std::uint32_t>& styles;         // file xf -> style table index
  const ReadLimits& limits;
};

// Streams a worksheet part into `sheet`: the cells (numbers, shared and
// inline strings, booleans, error values, dates, the last results of
// formulas) with their formats, column widths, the selection and the auto
// filter. A cell, row or range outside the sheet's grid, a shared string
// that does not exist or a value that does not read as its type fails with
// 1004 naming the part and the cell.
SheetFindings readSheet(ZipReader& zip, const std::string& part, const SheetContext& context, Sheet& sheet);

}  // namespace tavrello::host::xlsx
