#pragma once

#include <QColor>
#include <QFont>

namespace tavrello::gui {

// The query builder's look: Tahoma at 11 pixels for tables, the select list
// and the trees (the system's sans-serif face where Tahoma is missing), a
// white background, and tables drawn in light yellow 120 pixels wide.
QFont builderFont();
QFont builderBoldFont();
inline const QColor kBuilderBackground{255, 255, 255};
inline const QColor kBuilderTableColour{255, 255, 128};
inline constexpr int kBuilderTableWidth = 120;
inline constexpr int kBuilderObjectTreeWidth = 150;

}  // namespace tavrello::gui
