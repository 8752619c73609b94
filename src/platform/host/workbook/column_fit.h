#pragma once

#include "platform/host/workbook/grid.h"

namespace tavrello::host {

class Sheet;

// Fits the width of each column of `rect` to the widest text its cells inside
// `rect` show (bold text counts a tenth wider), as the host's autofit does.
// A column with nothing to show in `rect` keeps its width.
void fitColumns(Sheet& sheet, const CellRect& rect);

}  // namespace tavrello::host
