#include "gui/cell_delegate.h"

#include <QAbstractItemView>
#include <QPainter>

#include "gui/sheet_model.h"
#include "gui/sheet_view.h"

namespace tavrello::gui {
namespace {

const QColor kGridColor(0xD4, 0xD4, 0xD4);
const QColor kSelectionTint(0x21, 0x73, 0x46, 0x38);

void drawEdge(QPainter& painter, const EdgeLook& edge, QPoint from, QPoint to, QPoint inward) {
  if (edge.width == 0) return;
  QPen pen(edge.color, 1, edge.style);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  if (edge.doubled) {
    painter.drawLine(from, to);
    painter.drawLine(from + inward * 2, to + inward * 2);
    return;
  }
  for (int i = 0; i < edge.width; ++i) painter.drawLine(from + inward * i, to + inward * i);
}

void drawFilterButton(QPainter& painter, const QRect& cell) {
  const int side = std::min(CellDelegate::kFilterButtonWidth, cell.height() - 2);
  const QRect button(cell.right() - side, cell.bottom() - side, side, side);
  painter.setPen(QColor(0xA0, 0xA0, 0xA0));
  painter.setBrush(QColor(0xF4, 0xF4, 0xF4));
  painter.drawRect(button.adjusted(0, 0, -1, -1));
  const QPointF c = QRectF(button).center();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x40, 0x40, 0x40));
  painter.drawPolygon(QPolygonF({c + QPointF(-3.5, -1.5), c + QPointF(3.5, -1.5), c + QPointF(0, 2.5)}));
}

}  // namespace

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const auto* model = qobject_cast<const SheetModel*>(index.model());
  if (!model) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const CellLook look = model->look(index.row(), index.column());
  const bool filterHeading = model->isAutoFilterHeading(index.row(), index.column());
  const QRect r = option.rect;
  painter->save();
  painter->setClipRect(r);
  // The cell's own background, over whatever the style drew for a selected row.
  painter->fillRect(r, look.fill ? *look.fill : QColor(Qt::white));
  if (!look.fill) {
    painter->setPen(kGridColor);
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
  }

  if (!look.text.isEmpty()) {
    QRect textRect = r.adjusted(3, 1, -3, -2);
    if (filterHeading) textRect.setRight(textRect.right() - kFilterButtonWidth);
    painter->setFont(look.font);
    painter->setPen(look.textColor.isValid() ? look.textColor : QColor(Qt::black));
    QString shown = look.text;
    const QFontMetrics metrics(look.font);
    const bool tooWide = metrics.horizontalAdvance(shown) > textRect.width();
    if (look.numeric && tooWide) {
      const int hashWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('#')));
      shown = QString(std::max(1, textRect.width() / hashWidth), QLatin1Char('#'));
    }
    // Text that runs on into an empty cell to its right is drawn by the view
    // once every cell is painted.
    auto* sheetView = qobject_cast<SheetView*>(parent());
    const bool runsOn = tooWide && !look.numeric && !filterHeading && (look.alignment & Qt::AlignLeft) &&
                        sheetView && index.column() + 1 < model->columnCount() &&
                        !model->hasContent(index.row(), index.column() + 1);
    if (runsOn) sheetView->textOverflows(index);
    else painter->drawText(textRect, static_cast<int>(look.alignment) | Qt::TextSingleLine, shown);
  }

  drawEdge(*painter, look.top, r.topLeft(), r.topRight(), QPoint(0, 1));
  drawEdge(*painter, look.bottom, r.bottomLeft(), r.bottomRight(), QPoint(0, -1));
  drawEdge(*painter, look.left, r.topLeft(), r.bottomLeft(), QPoint(1, 0));
  drawEdge(*painter, look.right, r.topRight(), r.bottomRight(), QPoint(-1, 0));

  if (filterHeading) drawFilterButton(*painter, r);
  // The active cell stays clear inside the selection, as in a spreadsheet.
  const auto* view = qobject_cast<const QAbstractItemView*>(parent());
  const bool current = view && view->currentIndex() == index;
  if ((option.state & QStyle::State_Selected) && !current) painter->fillRect(r, kSelectionTint);
  painter->restore();
}

}  // namespace tavrello::gui
