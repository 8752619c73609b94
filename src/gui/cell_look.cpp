#include "gui/cell_look.h"

#include <QFontMetricsF>

#include "platform/host/workbook/cell.h"
#include "platform/host/workbook/cell_text.h"
#include "platform/host/workbook/string_pool.h"

namespace tavrello::gui {
namespace {

EdgeLook edgeLook(const host::BorderEdge& edge) {
  EdgeLook look;
  look.color = edge.color ? toQColor(*edge.color) : QColor(Qt::black);
  switch (edge.line) {
    case host::BorderLine::None: break;
    case host::BorderLine::Thin: look.width = 1; break;
    case host::BorderLine::Hair: look.width = 1; look.style = Qt::DotLine; break;
    case host::BorderLine::Dotted: look.width = 1; look.style = Qt::DotLine; break;
    case host::BorderLine::Dashed: look.width = 1; look.style = Qt::DashLine; break;
    case host::BorderLine::Medium: look.width = 2; break;
    case host::BorderLine::Thick: look.width = 3; break;
    case host::BorderLine::Double: look.width = 3; look.doubled = true; break;
  }
  return look;
}

}  // namespace

Qt::Alignment alignmentFor(const host::Cell* cell, const host::AlignmentStyle& style) {
  Qt::Alignment vertical = style.vertical == host::VerticalAlignment::Top      ? Qt::AlignTop
                           : style.vertical == host::VerticalAlignment::Center ? Qt::AlignVCenter
                                                                                : Qt::AlignBottom;
  switch (style.horizontal) {
    case host::HorizontalAlignment::Left: return Qt::AlignLeft | vertical;
    case host::HorizontalAlignment::Center: return Qt::AlignHCenter | vertical;
    case host::HorizontalAlignment::Right: return Qt::AlignRight | vertical;
    case host::HorizontalAlignment::General: break;
  }
  const host::CellKind kind = cell ? cell->kind() : host::CellKind::Empty;
  switch (kind) {
    case host::CellKind::Number: return Qt::AlignRight | vertical;
    case host::CellKind::Boolean:
    case host::CellKind::Error: return Qt::AlignHCenter | vertical;
    case host::CellKind::Text:
    case host::CellKind::Empty: break;
  }
  return Qt::AlignLeft | vertical;
}

CellLooks::CellLooks(const host::StyleTable& styles, const host::StringPool& strings)
    : styles_(styles), strings_(strings) {}

const QFont& CellLooks::font(std::uint32_t fontIndex) const {
  if (fonts_.size() < styles_.fontCount()) fonts_.resize(styles_.fontCount());
  std::optional<QFont>& cached = fonts_[fontIndex];
  if (!cached) {
    const host::FontStyle& style = styles_.font(fontIndex);
    QFont font(QString::fromStdString(style.name));
    // Where the workbook's font is missing, the nearest sans-serif face.
    font.setStyleHint(QFont::SansSerif);
    const double size = style.size > 0 ? style.size : 11;
    font.setPointSizeF(size);
    // Column widths are reckoned in digits of the workbook's 11-point font,
    // 7 pixels each. A wider face standing in for it is drawn smaller, so
    // that what fits a column in the workbook fits it on screen.
    const qreal digit = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    const qreal wanted = 7.0 * size / 11.0;
    if (digit > wanted * 1.05) font.setPointSizeF(size * wanted / digit);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    cached = font;
  }
  return *cached;
}

CellLook CellLooks::look(const host::Cell* cell) const {
  const std::uint32_t styleIndex = cell ? cell->style() : 0;
  const host::CellStyle& style = styles_.style(styleIndex);
  CellLook look;
  if (cell) {
    look.text = QString::fromStdString(host::displayText(*cell, styles_, strings_));
    look.numeric = cell->kind() == host::CellKind::Number;
  }
  look.font = font(style.font);
  const host::FontStyle& font = styles_.font(style.font);
  if (font.color) look.textColor = toQColor(*font.color);
  const host::FillStyle& fill = styles_.fill(style.fill);
  if (fill.pattern == host::FillPattern::Solid) look.fill = toQColor(fill.color);
  look.alignment = alignmentFor(cell, style.alignment);
  const host::BorderStyle& border = styles_.border(style.border);
  look.left = edgeLook(border.left);
  look.right = edgeLook(border.right);
  look.top = edgeLook(border.top);
  look.bottom = edgeLook(border.bottom);
  return look;
}

}  // namespace tavrello::gui
