#pragma once

#include "gui/control_view.h"

class QTableView;

namespace tavrello::forms {
class DataGrid;
}

namespace tavrello::gui {

class GridSourceModel;

// The renderer's own data grid: a table of the bound source's columns and
// rows, read on demand, with the column names as headings. Replaced by a
// widget registered under "DataGrid" where one is.
class DataGridView : public ControlView {
 public:
  DataGridView(forms::DataGrid& grid, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  QTableView* table_;
  GridSourceModel* model_;
};

}  // namespace tavrello::gui
