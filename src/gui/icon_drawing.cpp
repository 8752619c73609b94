#include "gui/icon_drawing.h"

#include <QPainterPath>

namespace tavrello::gui::icon {

QPen pen(const QColor& color, qreal width) {
  QPen p(color, width);
  p.setJoinStyle(Qt::RoundJoin);
  p.setCapStyle(Qt::RoundCap);
  return p;
}

void drawSheet(QPainter& p, const QRectF& r) {
  p.setPen(pen(kInk, 0.8));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(kSheetGreen);
  p.drawRect(QRectF(r.left(), r.top(), r.width(), r.height() / 4));
  p.setPen(pen(QColor(0x9A, 0xB8, 0xA6), 0.6));
  for (int i = 2; i <= 3; ++i) {
    const qreal y = r.top() + r.height() * i / 4;
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
  }
  const qreal x = r.left() + r.width() / 2;
  p.drawLine(QPointF(x, r.top() + r.height() / 4), QPointF(x, r.bottom()));
}

void drawDatabase(QPainter& p, const QRectF& r) {
  const qreal rim = r.height() / 5;
  QPainterPath body;
  body.moveTo(r.left(), r.top() + rim / 2);
  body.lineTo(r.left(), r.bottom() - rim / 2);
  body.arcTo(QRectF(r.left(), r.bottom() - rim, r.width(), rim), 180, 180);
  body.lineTo(r.right(), r.top() + rim / 2);
  body.closeSubpath();
  p.setPen(pen(kInk, 0.8));
  p.setBrush(QColor(0x7F, 0xA7, 0xD8));
  p.drawPath(body);
  p.setBrush(QColor(0xB9, 0xD0, 0xEE));
  p.drawEllipse(QRectF(r.left(), r.top(), r.width(), rim));
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 2; ++i) {
    const qreal y = r.top() + (r.height() - rim) * i / 3;
    p.drawArc(QRectF(r.left(), y, r.width(), rim), 180 * 16, 180 * 16);
  }
}

}  // namespace tavrello::gui::icon
