#include "gui/sheet_model.h"

#include <QBrush>

#include "gui/cell_entry.h"
#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/system/failure.h"

namespace tavrello::gui {

SheetModel::SheetModel(QObject* parent) : QAbstractTableModel(parent) {}

SheetModel::~SheetModel() = default;

void SheetModel::setSheet(std::shared_ptr<host::Sheet> sheet) {
  beginResetModel();
  looks_.reset();
  sheet_ = std::move(sheet);
  book_ = sheet_ ? sheet_->book() : nullptr;
  if (book_) looks_.emplace(book_->styles(), book_->strings());
  cellsRead_ = 0;
  endResetModel();
}

int SheetModel::rowCount(const QModelIndex& parent) const {
  return sheet_ && !parent.isValid() ? sheet_->grid().rows : 0;
}

int SheetModel::columnCount(const QModelIndex& parent) const {
  return sheet_ && !parent.isValid() ? sheet_->grid().columns : 0;
}

const host::Cell* SheetModel::cell(int row, int column) const {
  ++cellsRead_;
  return sheet_->cells().find(row + 1, column + 1);
}

CellLook SheetModel::look(int row, int column) const {
  if (!looks_) return {};
  return looks_->look(cell(row, column));
}

bool SheetModel::hasContent(int row, int column) const {
  if (!sheet_) return false;
  const host::Cell* stored = cell(row, column);
  return stored && !stored->isEmpty();
}

bool SheetModel::isAutoFilterHeading(int row, int column) const {
  if (!sheet_ || !sheet_->autoFilter()) return false;
  const host::CellRect& filter = *sheet_->autoFilter();
  return row + 1 == filter.top && column + 1 >= filter.left && column + 1 <= filter.right;
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
  if (!sheet_ || !index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole: return look(index.row(), index.column()).text;
    case Qt::EditRole: {
      ++cellsRead_;
      return QString::fromStdString(cellEntryText(sheet_->value(index.row() + 1, index.column() + 1)));
    }
    case Qt::TextAlignmentRole: return QVariant::fromValue(look(index.row(), index.column()).alignment);
    case Qt::FontRole: return look(index.row(), index.column()).font;
    case Qt::BackgroundRole: {
      const CellLook cellLook = look(index.row(), index.column());
      return cellLook.fill ? QVariant(QBrush(*cellLook.fill)) : QVariant();
    }
    case Qt::ForegroundRole: {
      const CellLook cellLook = look(index.row(), index.column());
      return cellLook.textColor.isValid() ? QVariant(QBrush(cellLook.textColor)) : QVariant();
    }
    case AutoFilterHeadingRole: return isAutoFilterHeading(index.row(), index.column());
    default: return {};
  }
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!sheet_ || !index.isValid() || role != Qt::EditRole) return false;
  try {
    sheet_->setValue(index.row() + 1, index.column() + 1, readCellEntry(value.toString().toStdString()));
  } catch (const Failure&) {
    // The workbook went away under the editor: nothing to write to.
    return false;
  }
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  if (role != Qt::DisplayRole || section < 0) return {};
  if (orientation == Qt::Horizontal) return QString::fromStdString(host::columnLetters(section + 1));
  return QString::number(section + 1);
}

void SheetModel::cellsChanged() {
  if (!sheet_) return;
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

}  // namespace tavrello::gui
