#include "gui/face_icons.h"

#include <QPainter>
#include <QPainterPath>

#include "gui/icon_drawing.h"
#include "gui/vector_icon.h"

namespace tavrello::gui {
namespace {

using icon::drawSheet;
using icon::kBoltYellow;
using icon::kInk;
using icon::kPaper;
using icon::kSheetGreen;
using icon::kWebBlue;
using icon::pen;

// Every face is drawn on the 16 by 16 grid of vector_icon.h.
constexpr qreal kGrid = 16.0;

// 528, quick load: a lightning bolt over a worksheet.
void drawQuickLoad(QPainter& p) {
  drawSheet(p, QRectF(1.5, 3.5, 10, 11));
  QPainterPath bolt;
  bolt.moveTo(11.5, 0.5);
  bolt.lineTo(7.0, 8.0);
  bolt.lineTo(10.0, 8.0);
  bolt.lineTo(8.0, 15.5);
  bolt.lineTo(14.5, 6.0);
  bolt.lineTo(11.0, 6.0);
  bolt.lineTo(13.5, 0.5);
  bolt.closeSubpath();
  p.setPen(pen(QColor(0x8A, 0x5A, 0x00), 0.8));
  p.setBrush(kBoltYellow);
  p.drawPath(bolt);
}

// 610, the support web page: a globe with meridians and parallels.
void drawGlobe(QPainter& p) {
  const QRectF globe(1.5, 1.5, 13, 13);
  p.setPen(pen(QColor(0x10, 0x4A, 0x8C), 1.0));
  p.setBrush(kWebBlue);
  p.drawEllipse(globe);
  p.setPen(pen(QColor(0xD8, 0xEA, 0xFF), 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(5.0, 1.5, 6, 13));
  p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
  p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
  p.drawLine(QPointF(2.8, 4.8), QPointF(13.2, 4.8));
  p.drawLine(QPointF(2.8, 11.2), QPointF(13.2, 11.2));
}

// 141, the update check: two arrows chasing each other round a circle.
void drawUpdateCheck(QPainter& p) {
  const QRectF ring(2.5, 2.5, 11, 11);
  const QColor green(0x1B, 0x8A, 0x3C);
  p.setPen(pen(green, 1.8));
  p.setBrush(Qt::NoBrush);
  p.drawArc(ring, 30 * 16, 140 * 16);
  p.drawArc(ring, 210 * 16, 140 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(green);
  // Arrow heads at the ends of the arcs that run anticlockwise.
  p.drawPolygon(QPolygonF({QPointF(1.0, 6.5), QPointF(5.8, 6.5), QPointF(3.0, 10.2)}));
  p.drawPolygon(QPolygonF({QPointF(15.0, 9.5), QPointF(10.2, 9.5), QPointF(13.0, 5.8)}));
}

// 480, about: a white "i" in a blue disc.
void drawAbout(QPainter& p) {
  p.setPen(pen(QColor(0x10, 0x4A, 0x8C), 1.0));
  p.setBrush(kWebBlue);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(Qt::NoPen);
  p.setBrush(kPaper);
  p.drawEllipse(QRectF(7.0, 3.5, 2.2, 2.2));
  p.drawRoundedRect(QRectF(7.0, 6.8, 2.2, 6.0), 0.6, 0.6);
}

// A page with its top right corner folded.
void drawPage(QPainter& p) {
  QPainterPath page;
  page.moveTo(3.5, 1.5);
  page.lineTo(9.5, 1.5);
  page.lineTo(12.5, 4.5);
  page.lineTo(12.5, 14.5);
  page.lineTo(3.5, 14.5);
  page.closeSubpath();
  p.setPen(pen(kInk, 0.9));
  p.setBrush(kPaper);
  p.drawPath(page);
  p.drawPolyline(QPolygonF({QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)}));
}

// 2520, new workbook: a blank page with a green star of newness.
void drawNewWorkbook(QPainter& p) {
  drawPage(p);
  p.setPen(pen(kSheetGreen, 1.4));
  p.drawLine(QPointF(8, 8), QPointF(8, 13));
  p.drawLine(QPointF(5.5, 10.5), QPointF(10.5, 10.5));
}

// 852, new worksheet: a worksheet with a green plus at its corner.
void drawNewWorksheet(QPainter& p) {
  drawSheet(p, QRectF(1.5, 1.5, 10, 10));
  p.setPen(Qt::NoPen);
  p.setBrush(kSheetGreen);
  p.drawEllipse(QRectF(8.5, 8.5, 7, 7));
  p.setPen(pen(kPaper, 1.4));
  p.drawLine(QPointF(12, 10), QPointF(12, 14));
  p.drawLine(QPointF(10, 12), QPointF(14, 12));
}

// 899, auto filter: a funnel.
void drawFunnel(QPainter& p) {
  QPainterPath funnel;
  funnel.moveTo(1.5, 2.5);
  funnel.lineTo(14.5, 2.5);
  funnel.lineTo(9.5, 8.5);
  funnel.lineTo(9.5, 14.0);
  funnel.lineTo(6.5, 12.5);
  funnel.lineTo(6.5, 8.5);
  funnel.closeSubpath();
  p.setPen(pen(kInk, 0.9));
  p.setBrush(QColor(0x5B, 0x9B, 0xD5));
  p.drawPath(funnel);
}

// 113, 114, 115: the letters of bold, italic and underline (the italic one
// heavy enough to read at 16 pixels).
void drawLetter(QPainter& p, const QString& letter, bool bold, bool italic, bool underline) {
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(14);
  font.setBold(bold);
  font.setItalic(italic);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRectF(0, -1, kGrid, 14), Qt::AlignCenter, letter);
  if (underline) {
    p.setPen(pen(kInk, 1.2));
    p.drawLine(QPointF(4, 14.5), QPointF(12, 14.5));
  }
}

// A face number this host has no picture for: an empty framed button face.
void drawUnknown(QPainter& p) {
  p.setPen(pen(QColor(0x80, 0x80, 0x80), 1.0));
  p.setBrush(QColor(0xE8, 0xE8, 0xE8));
  p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
}

void drawFace(QPainter& p, int faceId) {
  switch (faceId) {
    case 528: drawQuickLoad(p); break;
    case 610: drawGlobe(p); break;
    case 141: drawUpdateCheck(p); break;
    case 480: drawAbout(p); break;
    case 2520: drawNewWorkbook(p); break;
    case 852: drawNewWorksheet(p); break;
    case 899: drawFunnel(p); break;
    case 113: drawLetter(p, QStringLiteral("B"), true, false, false); break;
    case 114: drawLetter(p, QStringLiteral("I"), true, true, false); break;
    case 115: drawLetter(p, QStringLiteral("U"), false, false, true); break;
    default: drawUnknown(p); break;
  }
}

}  // namespace

bool hasFace(int faceId) {
  switch (faceId) {
    case 528: case 610: case 141: case 480: case 2520: case 852: case 899: case 113: case 114: case 115:
      return true;
    default:
      return false;
  }
}

QIcon faceIcon(int faceId) {
  if (faceId == 0) return {};
  return vectorIcon([faceId](QPainter& p) { drawFace(p, faceId); });
}

}  // namespace tavrello::gui
