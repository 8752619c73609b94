#pragma once

#include <vector>

#include "platform/host/workbook/grid.h"

namespace tavrello::host {
class Sheet;
}

namespace tavrello::host::xlsx {

class PartWriter;
class SharedStringsWriter;

// What the sheet writer needs besides the sheet.
struct SheetWriteOptions {
  bool tabSelected = false;
  // Blocks whose cells are not saved (query tables with SaveData false).
  std::vector<CellRect> omitted;
};

// Writes one worksheet part, streaming: the used range, the view with the
// selection, column widths, the cells row by row (text through the shared
// strings, numbers in their shortest exact form, booleans, error values,
// styled empty cells) and the auto filter, in the order the schema gives.
// Nothing is ever written as a formula: a text that starts with =, +, - or @
// stays a text.
void writeSheet(PartWriter& out, const Sheet& sheet, SharedStringsWriter& strings, const SheetWriteOptions& options);

// Whether a sheet's part might reach 4 GiB (and needs zip64 fields).
bool mayBeLarge(const Sheet& sheet);

}  // namespace tavrello::host::xlsx
