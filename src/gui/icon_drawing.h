#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRectF>

// The shared look of the pictures drawn in code: the tool bar faces and the
// add-in windows' button pictures, all on the 16 by 16 grid of vector_icon.h.
namespace tavrello::gui::icon {

inline const QColor kInk(0x30, 0x30, 0x30);
inline const QColor kPaper(0xFF, 0xFF, 0xFF);
inline const QColor kSheetGreen(0x21, 0x73, 0x46);
inline const QColor kWebBlue(0x1E, 0x6F, 0xC8);
inline const QColor kBoltYellow(0xF5, 0xB8, 0x00);
inline const QColor kStopRed(0xC8, 0x2A, 0x2A);
inline const QColor kGoGreen(0x2E, 0x9E, 0x3E);
inline const QColor kFolderTan(0xE8, 0xB8, 0x4A);

// A pen with round joins and caps.
QPen pen(const QColor& color, qreal width = 1.0);

// A small worksheet: a white page with a green heading row and grid lines.
void drawSheet(QPainter& p, const QRectF& r);

// A database: a drum of three stacked discs.
void drawDatabase(QPainter& p, const QRectF& r);

}  // namespace tavrello::gui::icon
