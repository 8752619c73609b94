#include "gui/grid_view.h"

#include <algorithm>
#include <limits>

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>

#include "platform/forms/data_grid.h"

namespace tavrello::gui {

// A table model over a grid source; Qt asks only for the rows it shows.
class GridSourceModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setSource(std::shared_ptr<forms::GridSource> source) {
    beginResetModel();
    source_ = std::move(source);
    endResetModel();
  }

  int rowCount(const QModelIndex& parent) const override {
    if (parent.isValid() || !source_) return 0;
    return static_cast<int>(std::min<std::int64_t>(source_->rowCount(), std::numeric_limits<int>::max()));
  }

  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() || !source_ ? 0 : source_->columnCount();
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!source_ || !index.isValid()) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(source_->cellText(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole) {
      const Qt::Alignment horizontal =
          source_->columnAlignment(index.column()) == forms::GridAlignment::Right ? Qt::AlignRight : Qt::AlignLeft;
      return QVariant::fromValue(horizontal | Qt::AlignVCenter);
    }
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (!source_ || role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return QString::fromStdString(source_->columnName(section));
  }

 private:
  std::shared_ptr<forms::GridSource> source_;
};

DataGridView::DataGridView(forms::DataGrid& grid, QWidget* parent)
    : ControlView(grid, new QTableView(parent)),
      table_(static_cast<QTableView*>(widget())),
      model_(new GridSourceModel(table_)) {
  table_->setModel(model_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Rows of one height: the view then lays out a million rows without
  // measuring any of them, and reads only the cells it paints.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
}

void DataGridView::syncOwn(forms::Property property) {
  if (property == forms::Property::DataSource || property == forms::Property::Refresh) {
    model_->setSource(as<forms::DataGrid>()->DataSource());
  }
}

}  // namespace tavrello::gui
