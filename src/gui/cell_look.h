#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QString>

#include "platform/host/workbook/style_table.h"

namespace tavrello::host {
class Cell;
class StringPool;
}  // namespace tavrello::host

namespace tavrello::gui {

// One edge of a cell's border as it is drawn: a pen width in pixels (0 is no
// line), a colour and whether the line is doubled, dashed or dotted.
struct EdgeLook {
  int width = 0;
  QColor color;
  Qt::PenStyle style = Qt::SolidLine;
  bool doubled = false;
};

// How one cell is drawn: its text as the number format shows it, the font,
// colours, alignment and border edges of its style.
struct CellLook {
  QString text;
  QFont font;
  QColor textColor;               // invalid: the automatic colour
  std::optional<QColor> fill;     // nothing: no fill (the grid shows through)
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignBottom;
  // A number (or date): shown as "#" signs when it does not fit its cell.
  bool numeric = false;
  EdgeLook left, right, top, bottom;
};

// Turns a workbook's styles into what the sheet view draws. Fonts are made
// once per font entry of the style table (entries are never changed once
// made, only added), so a screenful of cells costs a few lookups.
class CellLooks {
 public:
  // A view over `styles` and `strings`, which must outlive it.
  CellLooks(const host::StyleTable& styles, const host::StringPool& strings);

  // The look of a stored cell, or of an empty, unstyled one (nullptr).
  CellLook look(const host::Cell* cell) const;

  // The Qt font of a font entry of the style table.
  const QFont& font(std::uint32_t fontIndex) const;

 private:
  const host::StyleTable& styles_;
  const host::StringPool& strings_;
  mutable std::vector<std::optional<QFont>> fonts_;
};

// Where a spreadsheet puts a value the style leaves to the General
// alignment: numbers (dates too) to the right, TRUE/FALSE and error values
// centred, text to the left.
Qt::Alignment alignmentFor(const host::Cell* cell, const host::AlignmentStyle& style);

// The colour of a 0xRRGGBB value.
inline QColor toQColor(host::Rgb rgb) { return QColor::fromRgb(rgb); }

}  // namespace tavrello::gui
