#pragma once

#include "platform/host/range.h"
#include "platform/host/workbook/grid.h"

namespace tavrello::host {

class Sheet;

// Range.AutoFormat on a rectangle of a sheet: the built-in designs Colorful 1
// (7), Colorful 3 (9), List 1 (10) and List 2 (11). The first row of the
// rectangle is the heading row. Fails with 1004, changing nothing, for any
// other design.
void applyAutoFormat(Sheet& sheet, const CellRect& rect, const AutoFormatOptions& options);

}  // namespace tavrello::host
