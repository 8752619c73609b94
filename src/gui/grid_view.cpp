#include "gui/grid_view.h"

#include "gui/grid_source_widget.h"
#include "platform/forms/data_grid.h"

namespace tavrello::gui {

DataGridView::DataGridView(forms::DataGrid& grid, QWidget* parent)
    : ControlView(grid, new GridSourceWidget(parent)), grid_(static_cast<GridSourceWidget*>(widget())) {}

void DataGridView::syncOwn(forms::Property property) {
  if (property == forms::Property::DataSource || property == forms::Property::Refresh) {
    grid_->setSource(as<forms::DataGrid>()->DataSource());
  }
}

}  // namespace tavrello::gui
