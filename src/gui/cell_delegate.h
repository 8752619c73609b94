#pragma once

#include <QStyledItemDelegate>

namespace tavrello::gui {

// Draws the cells of a SheetModel as a spreadsheet does: the fill, the text
// in its font, colour and alignment (numbers that do not fit become "#"
// signs), the light grid where no fill covers it, the border edges of the
// cell's style, the drop-down button of an auto filter heading, and a tint
// over the selection. Editing uses the standard line editor over EditRole.
class CellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // Width of the auto filter's drop-down button, in pixels.
  static constexpr int kFilterButtonWidth = 15;
};

}  // namespace tavrello::gui
