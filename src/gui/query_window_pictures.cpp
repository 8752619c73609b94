#include <QPainterPath>

#include "gui/drawn_pictures.h"
#include "gui/icon_drawing.h"

// The pictures above the query window's button captions.
namespace tavrello::gui {
namespace {

using namespace icon;

// A plug on a cable, its prongs to the right.
void drawPlug(QPainter& p, qreal x, qreal y) {
  p.setPen(pen(kInk, 0.8));
  p.setBrush(QColor(0x60, 0x60, 0x60));
  p.drawRoundedRect(QRectF(x, y, 4, 4), 0.8, 0.8);
  p.setPen(pen(kInk, 0.9));
  p.drawLine(QPointF(x + 4, y + 1.2), QPointF(x + 6, y + 1.2));
  p.drawLine(QPointF(x + 4, y + 2.8), QPointF(x + 6, y + 2.8));
}

void drawConnect(QPainter& p) {
  drawDatabase(p, QRectF(8.5, 2, 6.5, 12));
  p.setPen(pen(kInk, 0.9));
  p.drawLine(QPointF(0.5, 8), QPointF(2, 8));
  drawPlug(p, 2, 6);
  p.setPen(pen(kGoGreen, 1.2));
  p.drawLine(QPointF(6, 8), QPointF(8.5, 8));
}

void drawDisconnect(QPainter& p) {
  drawDatabase(p, QRectF(8.5, 2, 6.5, 12));
  p.setPen(pen(kInk, 0.9));
  p.drawLine(QPointF(0.5, 11), QPointF(1, 11));
  drawPlug(p, 1, 9);
  p.setPen(pen(kStopRed, 1.4));
  p.drawLine(QPointF(2, 1.5), QPointF(6.5, 6));
  p.drawLine(QPointF(6.5, 1.5), QPointF(2, 6));
}

void drawManage(QPainter& p) {
  p.setPen(pen(kInk, 0.8));
  p.setBrush(kPaper);
  p.drawRect(QRectF(1.5, 1.5, 10, 13));
  p.setPen(pen(QColor(0x70, 0x70, 0x70), 0.9));
  for (int i = 0; i < 4; ++i) p.drawLine(QPointF(3.5, 4.5 + i * 2.6), QPointF(9.5, 4.5 + i * 2.6));
  QPainterPath pencil;
  pencil.moveTo(14.5, 6.0);
  pencil.lineTo(8.0, 12.5);
  pencil.lineTo(7.0, 15.0);
  pencil.lineTo(9.5, 14.0);
  pencil.lineTo(16.0, 7.5);
  pencil.closeSubpath();
  p.setPen(pen(QColor(0x8A, 0x5A, 0x00), 0.7));
  p.setBrush(kBoltYellow);
  p.drawPath(pencil);
}

void drawExecute(QPainter& p) {
  drawSheet(p, QRectF(1.5, 1.5, 10, 11));
  QPainterPath play;
  play.moveTo(7.5, 6.5);
  play.lineTo(15.0, 11.0);
  play.lineTo(7.5, 15.5);
  play.closeSubpath();
  p.setPen(pen(QColor(0x1B, 0x63, 0x27), 0.8));
  p.setBrush(kGoGreen);
  p.drawPath(play);
}

void drawPaste(QPainter& p) {
  p.setPen(pen(QColor(0x6B, 0x4A, 0x1E), 0.8));
  p.setBrush(QColor(0xC8, 0x96, 0x5A));
  p.drawRoundedRect(QRectF(1.5, 2.0, 10, 13), 1, 1);
  p.setBrush(QColor(0xB0, 0xB0, 0xB0));
  p.drawRoundedRect(QRectF(4.0, 0.8, 5, 2.5), 0.8, 0.8);
  drawSheet(p, QRectF(6.0, 6.0, 9, 9));
}

// Two chain links, for a table that stays linked to its database.
void drawEmbed(QPainter& p) {
  drawSheet(p, QRectF(1.5, 1.5, 9, 9));
  p.setBrush(Qt::NoBrush);
  p.setPen(pen(kWebBlue, 1.4));
  p.drawRoundedRect(QRectF(6.5, 9.0, 5.5, 3.5), 1.7, 1.7);
  p.drawRoundedRect(QRectF(10.0, 11.5, 5.5, 3.5), 1.7, 1.7);
}

void drawOpen(QPainter& p) {
  p.setPen(pen(QColor(0x8A, 0x62, 0x10), 0.8));
  p.setBrush(QColor(0xD0, 0x9A, 0x2A));
  p.drawRect(QRectF(1.0, 4.0, 12, 9.5));
  p.drawRect(QRectF(1.0, 2.5, 5, 1.5));
  QPainterPath flap;
  flap.moveTo(3.0, 7.0);
  flap.lineTo(15.5, 7.0);
  flap.lineTo(13.0, 13.5);
  flap.lineTo(1.0, 13.5);
  flap.closeSubpath();
  p.setBrush(kFolderTan);
  p.drawPath(flap);
}

void drawSave(QPainter& p) {
  QPainterPath disk;
  disk.moveTo(1.5, 1.5);
  disk.lineTo(12.5, 1.5);
  disk.lineTo(14.5, 3.5);
  disk.lineTo(14.5, 14.5);
  disk.lineTo(1.5, 14.5);
  disk.closeSubpath();
  p.setPen(pen(QColor(0x0E, 0x3C, 0x70), 0.8));
  p.setBrush(kWebBlue);
  p.drawPath(disk);
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.0, 1.5, 7.5, 4.5));
  p.setBrush(QColor(0xDD, 0xE6, 0xF2));
  p.drawRect(QRectF(3.5, 9.0, 9, 5.5));
}

void drawClose(QPainter& p) {
  p.setPen(pen(QColor(0x80, 0x16, 0x16), 0.8));
  p.setBrush(kStopRed);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(pen(kPaper, 1.8));
  p.drawLine(QPointF(5.2, 5.2), QPointF(10.8, 10.8));
  p.drawLine(QPointF(10.8, 5.2), QPointF(5.2, 10.8));
}

}  // namespace

DrawnPictures queryWindowPictures() {
  // The names the query window gives its buttons' pictures.
  return {
      {"QueryConnect", drawConnect}, {"QueryDisconnect", drawDisconnect}, {"QueryManage", drawManage},
      {"QueryExecute", drawExecute}, {"QueryPaste", drawPaste},           {"QueryEmbed", drawEmbed},
      {"QueryOpen", drawOpen},       {"QuerySave", drawSave},             {"QueryClose", drawClose},
  };
}

}  // namespace tavrello::gui
