#include "gui/sheet_view.h"

#include <cmath>

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

#include "gui/cell_delegate.h"
#include "gui/sheet_model.h"
#include "platform/host/workbook/sheet.h"

namespace tavrello::gui {
namespace {

const QColor kActiveCellFrame(0x21, 0x73, 0x46);

// Sets a flag for the length of a scope, so that the view's own changes
// are not taken for the user's.
class Applying {
 public:
  explicit Applying(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~Applying() { flag_ = saved_; }
  Applying(const Applying&) = delete;
  Applying& operator=(const Applying&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

}  // namespace

SheetView::SheetView(QWidget* parent) : QTableView(parent), model_(new SheetModel(this)) {
  setObjectName(QStringLiteral("sheetView"));
  setModel(model_);
  setItemDelegate(new CellDelegate(this));
  setShowGrid(false);
  setWordWrap(false);
  setCornerButtonEnabled(true);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  horizontalHeader()->setDefaultSectionSize(columnPixels(host::Sheet::kDefaultColumnWidth));
  horizontalHeader()->setMinimumSectionSize(0);
  horizontalHeader()->setHighlightSections(true);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setMinimumSectionSize(kRowHeight / 2);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { viewSelectionChanged(); });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { viewSelectionChanged(); });
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int oldSize, int newSize) { columnResized(column, oldSize, newSize); });
}

SheetView::~SheetView() = default;

int SheetView::columnPixels(double characters) {
  return characters <= 0 ? 0 : static_cast<int>(std::lround(characters * 7 + 5));
}

double SheetView::columnCharacters(int pixels) {
  if (pixels <= 5) return 0;
  return std::round((pixels - 5) / 7.0 * 100) / 100;
}

void SheetView::showSheet(std::shared_ptr<host::Sheet> sheet) {
  Applying applying(applying_);
  model_->setSheet(std::move(sheet));
  for (const auto& [column, width] : shownWidths_) setColumnWidth(column - 1, horizontalHeader()->defaultSectionSize());
  shownWidths_.clear();
  shownSelection_ = {0, 0, 0, 0};
  refresh();
}

void SheetView::refresh() {
  if (!model_->sheet()) return;
  applyColumnWidths();
  showHostSelection();
  model_->cellsChanged();
}

void SheetView::applyColumnWidths() {
  Applying applying(applying_);
  const auto& widths = model_->sheet()->columnWidths();
  if (widths == shownWidths_) return;
  for (const auto& [column, width] : shownWidths_) {
    if (!widths.contains(column)) setColumnWidth(column - 1, horizontalHeader()->defaultSectionSize());
  }
  for (const auto& [column, width] : widths) {
    auto shown = shownWidths_.find(column);
    if (shown == shownWidths_.end() || shown->second != width) setColumnWidth(column - 1, columnPixels(width));
  }
  shownWidths_ = widths;
}

void SheetView::columnResized(int column, int, int newSize) {
  if (applying_ || !model_->sheet()) return;
  const double characters = std::min(255.0, columnCharacters(newSize));
  model_->sheet()->setColumnWidth(column + 1, characters);
  shownWidths_[column + 1] = characters;
}

void SheetView::showHostSelection() {
  const host::CellRect& wanted = model_->sheet()->selection();
  if (wanted == shownSelection_) return;
  Applying applying(applying_);
  shownSelection_ = wanted;
  const QModelIndex topLeft = model_->index(wanted.top - 1, wanted.left - 1);
  const QModelIndex bottomRight = model_->index(wanted.bottom - 1, wanted.right - 1);
  selectionModel()->setCurrentIndex(topLeft, QItemSelectionModel::NoUpdate);
  selectionModel()->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
  scrollTo(topLeft);
}

void SheetView::viewSelectionChanged() {
  if (applying_ || !model_->sheet()) return;
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  host::CellRect rect = host::CellRect::cell(current.row() + 1, current.column() + 1);
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    if (range.contains(current)) {
      rect = {range.top() + 1, range.left() + 1, range.bottom() + 1, range.right() + 1};
      break;
    }
  }
  model_->sheet()->select(rect);
  shownSelection_ = rect;
  viewport()->update();
  emit userSelected();
}

void SheetView::textOverflows(const QModelIndex& index) { overflows_.emplace_back(index.row(), index.column()); }

void SheetView::paintOverflows(QPainter& painter) {
  const int lastColumn = columnAt(viewport()->width() - 1);
  for (const auto& [row, column] : overflows_) {
    const CellLook look = model_->look(row, column);
    const QFontMetrics metrics(look.font);
    const int needed = metrics.horizontalAdvance(look.text) + 6;
    QRect span = visualRect(model_->index(row, column));
    // Right edges inside the span, where a cell without a fill shows the grid.
    std::vector<int> gridEdges;
    bool lastFilled = look.fill.has_value();
    for (int next = column + 1; span.width() < needed && (lastColumn < 0 || next <= lastColumn + 1) &&
                                next < model_->columnCount() && !model_->hasContent(row, next);
         ++next) {
      const QRect cell = visualRect(model_->index(row, next));
      if (cell.width() == 0) continue;
      if (!lastFilled) gridEdges.push_back(span.right());
      lastFilled = model_->look(row, next).fill.has_value();
      span = span.united(cell);
    }
    painter.save();
    painter.setClipRect(span);
    // The grid between the cells the text runs over is not shown.
    painter.setPen(Qt::white);
    for (int x : gridEdges) painter.drawLine(x, span.top(), x, span.bottom() - 1);
    painter.setFont(look.font);
    painter.setPen(look.textColor.isValid() ? look.textColor : QColor(Qt::black));
    painter.drawText(span.adjusted(3, 1, -3, -2), static_cast<int>(look.alignment) | Qt::TextSingleLine, look.text);
    painter.restore();
  }
}

void SheetView::paintEvent(QPaintEvent* event) {
  overflows_.clear();
  QTableView::paintEvent(event);
  QPainter painter(viewport());
  paintOverflows(painter);
  overflows_.clear();
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  const QRect cell = visualRect(current);
  if (cell.isEmpty() || !viewport()->rect().intersects(cell)) return;
  painter.setPen(QPen(kActiveCellFrame, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(cell.adjusted(0, 0, -1, -1));
}

void SheetView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && state() != EditingState &&
      event->modifiers() == Qt::NoModifier) {
    clearSelectedCells();
    return;
  }
  QTableView::keyPressEvent(event);
}

void SheetView::clearSelectedCells() {
  if (!model_->sheet()) return;
  model_->sheet()->cells().clear(model_->sheet()->selection(), true);
  model_->cellsChanged();
}

QModelIndex SheetView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  if (model_->sheet() && (modifiers & Qt::ControlModifier)) {
    if (cursorAction == MoveHome) return model_->index(0, 0);
    if (cursorAction == MoveEnd) {
      host::CellRect used;
      if (!model_->sheet()->cells().usedRect(used)) return model_->index(0, 0);
      return model_->index(used.bottom - 1, used.right - 1);
    }
  }
  return QTableView::moveCursor(cursorAction, modifiers);
}

}  // namespace tavrello::gui
