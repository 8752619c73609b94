#include "gui/vector_icon.h"

#include <algorithm>

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace tavrello::gui {
namespace {

constexpr qreal kGrid = 16.0;

class VectorIconEngine : public QIconEngine {
 public:
  explicit VectorIconEngine(GridDrawing draw) : draw_(std::move(draw)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    const qreal side = std::min(rect.width(), rect.height());
    painter->translate(rect.left() + (rect.width() - side) / 2, rect.top() + (rect.height() - side) / 2);
    painter->scale(side / kGrid, side / kGrid);
    draw_(*painter);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap out(size);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return out;
  }

  QIconEngine* clone() const override { return new VectorIconEngine(draw_); }

 private:
  GridDrawing draw_;
};

}  // namespace

QIcon vectorIcon(GridDrawing draw) {
  // QIcon takes ownership of its engine.
  return QIcon(new VectorIconEngine(std::move(draw)));
}

}  // namespace tavrello::gui
