#include "platform/host/workbook/column_fit.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/host/workbook/book.h"
#include "platform/host/workbook/cell_text.h"
#include "platform/host/workbook/sheet.h"

namespace tavrello::host {

namespace {

// The padding autofit leaves around the text, in characters.
constexpr double kPadding = 0.71;
constexpr double kMaxWidth = 255;

}  // namespace

void fitColumns(Sheet& sheet, const CellRect& rect) {
  auto book = sheet.book();
  const StyleTable& styles = book->styles();
  const StringPool& strings = book->strings();
  std::map<std::int32_t, double> widest;
  sheet.cells().forEach(rect, [&](std::int32_t, std::int32_t column, const Cell& cell) {
    if (cell.isEmpty()) return;
    double width = cell.kind() == CellKind::Text ? textWidthInCharacters(strings.text(cell.textIndex()))
                                                 : textWidthInCharacters(displayText(cell, styles, strings));
    const FontStyle& font = styles.font(styles.style(cell.style()).font);
    width *= (font.bold ? 1.1 : 1.0) * font.size / 11.0;
    double& current = widest[column];
    current = std::max(current, width);
  });
  for (const auto& [column, width] : widest) {
    sheet.setColumnWidth(column, std::min(kMaxWidth, std::round((width + kPadding) * 100) / 100));
  }
}

}  // namespace tavrello::host
