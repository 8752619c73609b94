#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <QAbstractTableModel>

#include "gui/cell_look.h"

namespace tavrello::host {
class Book;
class Cell;
class Sheet;
}  // namespace tavrello::host

namespace tavrello::gui {

// One worksheet of the workbook host as a table model: every row and column
// of the grid (1,048,576 by 16,384 on a version 12 host), of which a view
// asks only for the cells it draws. Each such question is one lookup in the
// sheet's cell store, so a million-row sheet opens and scrolls at once.
//
// Rows and columns here count from 0; the sheet's from 1. The model holds no
// copy of the cells: the host's changes show as soon as the view redraws
// (see cellsChanged).
class SheetModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Role {
    // bool: the cell is a heading of the sheet's auto filter.
    AutoFilterHeadingRole = Qt::UserRole + 1,
  };

  explicit SheetModel(QObject* parent = nullptr);
  ~SheetModel() override;

  // Shows another sheet (or none); views start afresh.
  void setSheet(std::shared_ptr<host::Sheet> sheet);
  const std::shared_ptr<host::Sheet>& sheet() const { return sheet_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // Writes what the user typed, read as readCellEntry reads it.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Column letters across, row numbers down.
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // How a cell is drawn.
  CellLook look(int row, int column) const;
  // Whether the cell holds a value (a cell with only a format holds none).
  bool hasContent(int row, int column) const;
  bool isAutoFilterHeading(int row, int column) const;

  // The host may have changed any cell: views redraw what they show.
  void cellsChanged();

  // How many cells were looked up since the sheet was set: what a view cost.
  std::int64_t cellsRead() const { return cellsRead_; }

 private:
  const host::Cell* cell(int row, int column) const;

  std::shared_ptr<host::Sheet> sheet_;
  std::shared_ptr<host::Book> book_;
  std::optional<CellLooks> looks_;
  mutable std::int64_t cellsRead_ = 0;
};

}  // namespace tavrello::gui
