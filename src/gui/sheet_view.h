#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>
#include <memory>

#include <QTableView>

#include "platform/host/workbook/grid.h"

class QPainter;

namespace tavrello::host {
class Sheet;
}

namespace tavrello::gui {

class SheetModel;

// The grid of the host window: a table view over a SheetModel that keeps
// the host's selection and the view's in step both ways. A click or drag
// selects cells on the host's sheet (its top-left cell becoming the host's
// ActiveCell, which the add-in reads); a selection the host makes (an
// import, the name box) is shown and scrolled to at the next refresh.
// Column widths follow the sheet's, and widths the user drags are written
// back to the sheet. Typing into a cell writes its value; Delete empties the
// selected cells (their formats stay); Ctrl+Home goes to A1 and Ctrl+End to
// the last cell in use.
class SheetView : public QTableView {
  Q_OBJECT

 public:
  explicit SheetView(QWidget* parent = nullptr);
  ~SheetView() override;

  SheetModel& sheetModel() const { return *model_; }

  // Shows `sheet` (or none), with its widths and selection.
  void showSheet(std::shared_ptr<host::Sheet> sheet);

  // Brings the view in line with the host after it may have changed: cells
  // redrawn, column widths, and the host's selection if it moved.
  void refresh();

  // A column width in characters of the default font as pixels on screen,
  // and back (about 7 pixels a character and 5 of margin; 8.43 is 64).
  static int columnPixels(double characters);
  static double columnCharacters(int pixels);

  // The pixel height of a row.
  static constexpr int kRowHeight = 20;

  // The delegate found a left-aligned text wider than its cell, with an
  // empty cell to its right, while painting: the view draws the text, on
  // over the empty cells to its right, once every cell is painted.
  void textOverflows(const QModelIndex& index);

 signals:
  // The user selected cells; the host's selection is already set.
  void userSelected();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

 private:
  void viewSelectionChanged();
  void showHostSelection();
  void applyColumnWidths();
  void columnResized(int column, int oldSize, int newSize);
  void clearSelectedCells();
  void paintOverflows(QPainter& painter);

  SheetModel* model_;
  std::map<std::int32_t, double> shownWidths_;
  host::CellRect shownSelection_;
  std::vector<std::pair<int, int>> overflows_;
  bool applying_ = false;
};

}  // namespace tavrello::gui
