#include <QPainterPath>

#include "gui/drawn_pictures.h"
#include "gui/icon_drawing.h"

// The pictures beside the connection manager's and editor's button captions.
namespace tavrello::gui {
namespace {

using namespace icon;

// A database with a round badge in its lower right corner holding a minus,
// or a plus when `plus`.
void drawBadgedDatabase(QPainter& p, const QColor& fill, bool plus) {
  drawDatabase(p, QRectF(1.5, 1.0, 9, 12));
  p.setPen(pen(fill.darker(150), 0.8));
  p.setBrush(fill);
  p.drawEllipse(QRectF(8.0, 8.0, 7.5, 7.5));
  p.setPen(pen(kPaper, 1.5));
  p.drawLine(QPointF(9.8, 11.75), QPointF(13.7, 11.75));
  if (plus) p.drawLine(QPointF(11.75, 9.8), QPointF(11.75, 13.7));
}

void drawAdd(QPainter& p) { drawBadgedDatabase(p, kGoGreen, true); }

void drawEdit(QPainter& p) {
  drawDatabase(p, QRectF(1.5, 1.0, 9, 12));
  QPainterPath pencil;
  pencil.moveTo(15.0, 6.5);
  pencil.lineTo(8.5, 13.0);
  pencil.lineTo(7.5, 15.5);
  pencil.lineTo(10.0, 14.5);
  pencil.lineTo(16.0, 8.5);
  pencil.closeSubpath();
  p.setPen(pen(QColor(0x8A, 0x5A, 0x00), 0.7));
  p.setBrush(kBoltYellow);
  p.drawPath(pencil);
}

void drawRemove(QPainter& p) { drawBadgedDatabase(p, kStopRed, false); }

void drawOk(QPainter& p) {
  QPainterPath tick;
  tick.moveTo(2.0, 8.5);
  tick.lineTo(6.0, 12.5);
  tick.lineTo(14.0, 3.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(pen(kGoGreen, 2.4));
  p.drawPath(tick);
}

void drawCancel(QPainter& p) {
  p.setPen(pen(kStopRed, 2.4));
  p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
  p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

// The builder's diagram, two joined tables, and an arrow that carries its
// connection string into the field below.
void drawTakeBuilder(QPainter& p) {
  p.setPen(pen(kInk, 0.7));
  for (const QRectF& box : {QRectF(0.5, 0.5, 6, 7), QRectF(9.5, 0.5, 6, 7)}) {
    p.setBrush(kPaper);
    p.drawRect(box);
    p.setBrush(kWebBlue);
    p.drawRect(QRectF(box.left(), box.top(), box.width(), 2));
  }
  p.setPen(pen(kWebBlue, 0.9));
  p.drawLine(QPointF(6.5, 4.5), QPointF(9.5, 4.5));
  QPainterPath arrow;
  arrow.moveTo(8.0, 7.5);
  arrow.lineTo(8.0, 14.5);
  arrow.moveTo(4.8, 11.3);
  arrow.lineTo(8.0, 14.5);
  arrow.lineTo(11.2, 11.3);
  p.setBrush(Qt::NoBrush);
  p.setPen(pen(kGoGreen, 1.8));
  p.drawPath(arrow);
}

}  // namespace

DrawnPictures connectionDialogPictures() {
  // The names the connection manager and editor give their buttons' pictures.
  return {
      {"ProfilesAdd", drawAdd}, {"ProfilesEdit", drawEdit},     {"ProfilesRemove", drawRemove},
      {"ProfilesOK", drawOk},   {"ProfilesCancel", drawCancel}, {"ProfilesTakeBuilder", drawTakeBuilder},
  };
}

}  // namespace tavrello::gui
