#pragma once

#include "gui/control_view.h"

namespace tavrello::forms {
class DataGrid;
}

namespace tavrello::gui {

class GridSourceWidget;

// The renderer's own data grid: the bound source's columns and rows, read
// on demand (see GridSourceWidget), with the column names as headings.
// Replaced by a widget registered under "DataGrid" where one is.
class DataGridView : public ControlView {
 public:
  DataGridView(forms::DataGrid& grid, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  GridSourceWidget* grid_;
};

}  // namespace tavrello::gui
