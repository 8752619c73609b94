#include "gui/grid_source_widget.h"

#include <algorithm>
#include <limits>

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>

#include "platform/forms/data_grid.h"

namespace tavrello::gui {

// The column names for the heading row: a model of columns without rows.
class ColumnHeadings : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setSource(const forms::GridSource* source) {
    beginResetModel();
    source_ = source;
    endResetModel();
  }
  int rowCount(const QModelIndex&) const override { return 0; }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() || !source_ ? 0 : source_->columnCount();
  }
  QVariant data(const QModelIndex&, int) const override { return {}; }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (!source_ || orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromStdString(source_->columnName(section));
  }

 private:
  const forms::GridSource* source_ = nullptr;
};

// The row numbers down the grid's left, drawn as headings.
class RowNumbers : public QWidget {
 public:
  explicit RowNumbers(GridSourceWidget& grid) : QWidget(&grid), grid_(grid) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const std::int64_t first = grid_.firstVisibleRow();
    const std::int64_t last = std::min<std::int64_t>(grid_.rowCount(), first + height() / grid_.rowHeight() + 1);
    for (std::int64_t row = first; row < last; ++row) {
      QStyleOptionHeader option;
      option.initFrom(this);
      option.rect = QRect(0, static_cast<int>(row - first) * grid_.rowHeight(), width(), grid_.rowHeight());
      option.text = QString::number(row + 1);
      option.textAlignment = Qt::AlignRight | Qt::AlignVCenter;
      option.orientation = Qt::Vertical;
      style()->drawControl(QStyle::CE_Header, &option, &painter, this);
    }
  }

 private:
  GridSourceWidget& grid_;
};

namespace {

constexpr int kDefaultColumnWidth = 100;
constexpr int kCellPadding = 4;
const QColor kGridLine(0xD4, 0xD4, 0xD4);

}  // namespace

GridSourceWidget::GridSourceWidget(QWidget* parent)
    : QAbstractScrollArea(parent),
      headings_(new ColumnHeadings(this)),
      header_(new QHeaderView(Qt::Horizontal, this)),
      rowNumbers_(new RowNumbers(*this)),
      rowHeight_(fontMetrics().height() + 6) {
  header_->setModel(headings_);
  header_->setSectionResizeMode(QHeaderView::Interactive);
  header_->setDefaultSectionSize(kDefaultColumnWidth);
  header_->setHighlightSections(false);
  header_->setSectionsClickable(false);
  connect(header_, &QHeaderView::sectionResized, this, [this] {
    updateScrollBars();
    viewport()->update();
  });
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  layoutParts();
}

GridSourceWidget::~GridSourceWidget() = default;

void GridSourceWidget::setSource(std::shared_ptr<forms::GridSource> source) {
  source_ = std::move(source);
  headings_->setSource(source_.get());
  currentRow_ = 0;
  currentColumn_ = 0;
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  layoutParts();
  viewport()->update();
  rowNumbers_->update();
}

std::int64_t GridSourceWidget::rowCount() const { return source_ ? source_->rowCount() : 0; }
int GridSourceWidget::columnCount() const { return source_ ? source_->columnCount() : 0; }
std::int64_t GridSourceWidget::firstVisibleRow() const { return verticalScrollBar()->value(); }

int GridSourceWidget::visibleRows() const { return std::max(1, viewport()->height() / rowHeight_); }

int GridSourceWidget::gutterWidth() const {
  const std::int64_t rows = std::max<std::int64_t>(rowCount(), 1);
  return fontMetrics().horizontalAdvance(QString::number(rows)) + 2 * kCellPadding + 4;
}

void GridSourceWidget::layoutParts() {
  const int headerHeight = header_->sizeHint().height();
  setViewportMargins(gutterWidth(), headerHeight, 0, 0);
  const QRect area = viewport()->geometry();
  header_->setGeometry(area.left(), area.top() - headerHeight, area.width(), headerHeight);
  rowNumbers_->setGeometry(area.left() - gutterWidth(), area.top(), gutterWidth(), area.height());
  updateScrollBars();
}

void GridSourceWidget::updateScrollBars() {
  // A scroll bar counts in int; a longer source shows its first rows only.
  const std::int64_t rows = std::min<std::int64_t>(rowCount(), std::numeric_limits<int>::max());
  const int page = visibleRows();
  verticalScrollBar()->setRange(0, static_cast<int>(std::max<std::int64_t>(0, rows - page)));
  verticalScrollBar()->setPageStep(page);
  verticalScrollBar()->setSingleStep(1);
  const int width = viewport()->width();
  horizontalScrollBar()->setRange(0, std::max(0, header_->length() - width));
  horizontalScrollBar()->setPageStep(width);
  horizontalScrollBar()->setSingleStep(20);
}

void GridSourceWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  layoutParts();
}

void GridSourceWidget::scrollContentsBy(int, int) {
  header_->setOffset(horizontalScrollBar()->value());
  viewport()->update();
  rowNumbers_->update();
}

void GridSourceWidget::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setFont(font());
  const std::int64_t first = firstVisibleRow();
  const std::int64_t last = std::min<std::int64_t>(rowCount(), first + visibleRows() + 1);
  const int columns = columnCount();

  for (std::int64_t row = first; row < last; ++row) {
    const int y = static_cast<int>(row - first) * rowHeight_;
    for (int column = 0; column < columns; ++column) {
      const int x = header_->sectionViewportPosition(column);
      const int width = header_->sectionSize(column);
      if (x + width < 0 || x > viewport()->width()) continue;
      const QRect cell(x, y, width, rowHeight_);
      if (row == currentRow_ && column == currentColumn_) {
        painter.fillRect(cell, palette().color(hasFocus() ? QPalette::Highlight : QPalette::Midlight));
        painter.setPen(palette().color(hasFocus() ? QPalette::HighlightedText : QPalette::Text));
      } else {
        painter.setPen(palette().color(QPalette::Text));
      }
      const QString text = QString::fromStdString(source_->cellText(row, column));
      ++cellsRead_;
      const Qt::Alignment align =
          (source_->columnAlignment(column) == forms::GridAlignment::Right ? Qt::AlignRight : Qt::AlignLeft) |
          Qt::AlignVCenter;
      const QRect inner = cell.adjusted(kCellPadding, 0, -kCellPadding, 0);
      painter.drawText(inner, align, painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width()));
      painter.setPen(kGridLine);
      painter.drawLine(cell.topRight(), cell.bottomRight());
      painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    }
  }
}

void GridSourceWidget::setCurrentCell(std::int64_t row, int column) {
  if (rowCount() == 0 || columnCount() == 0) return;
  currentRow_ = std::clamp<std::int64_t>(row, 0, rowCount() - 1);
  currentColumn_ = std::clamp(column, 0, columnCount() - 1);
  ensureVisible(currentRow_, currentColumn_);
  viewport()->update();
  rowNumbers_->update();
}

void GridSourceWidget::ensureVisible(std::int64_t row, int column) {
  const std::int64_t first = firstVisibleRow();
  const int page = visibleRows();
  if (row < first) verticalScrollBar()->setValue(static_cast<int>(row));
  else if (row >= first + page) verticalScrollBar()->setValue(static_cast<int>(row - page + 1));
  const int left = header_->sectionPosition(column);
  const int right = left + header_->sectionSize(column);
  const int offset = horizontalScrollBar()->value();
  if (left < offset) horizontalScrollBar()->setValue(left);
  else if (right > offset + viewport()->width()) horizontalScrollBar()->setValue(right - viewport()->width());
}

void GridSourceWidget::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    if (source_ && rowCount() > 0 && columnCount() > 0) {
      QApplication::clipboard()->setText(QString::fromStdString(source_->cellText(currentRow_, currentColumn_)));
    }
    return;
  }
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int page = visibleRows();
  switch (event->key()) {
    case Qt::Key_Up: setCurrentCell(currentRow_ - 1, currentColumn_); break;
    case Qt::Key_Down: setCurrentCell(currentRow_ + 1, currentColumn_); break;
    case Qt::Key_Left: setCurrentCell(currentRow_, currentColumn_ - 1); break;
    case Qt::Key_Right: setCurrentCell(currentRow_, currentColumn_ + 1); break;
    case Qt::Key_PageUp: setCurrentCell(currentRow_ - page, currentColumn_); break;
    case Qt::Key_PageDown: setCurrentCell(currentRow_ + page, currentColumn_); break;
    case Qt::Key_Home: setCurrentCell(control ? 0 : currentRow_, 0); break;
    case Qt::Key_End: setCurrentCell(control ? rowCount() - 1 : currentRow_, columnCount() - 1); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
  }
}

void GridSourceWidget::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  // Mouse events of the viewport come here in the viewport's coordinates.
  const QPoint at = event->position().toPoint();
  const int column = header_->logicalIndexAt(at.x());
  if (at.y() < 0 || column < 0) return;
  setCurrentCell(firstVisibleRow() + at.y() / rowHeight_, column);
}

}  // namespace tavrello::gui
