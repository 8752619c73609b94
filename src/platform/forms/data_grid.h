#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/forms/control.h"

namespace tavrello::forms {

// How a grid column's values stand in their cells: numbers and dates to the
// right, text to the left, as a spreadsheet shows them.
enum class GridAlignment { Left, Right };

// Rows and columns a data grid shows, read on demand (a view asks only for
// the cells it paints). Result sets are adapted to it without a copy of
// their rows; the grid keeps its source alive while bound.
class GridSource {
 public:
  virtual ~GridSource() = default;
  virtual int columnCount() const = 0;
  virtual std::string columnName(int column) const = 0;
  virtual std::int64_t rowCount() const = 0;
  // The cell as the grid shows it; empty for NULL.
  virtual std::string cellText(std::int64_t row, int column) const = 0;
  virtual GridAlignment columnAlignment(int /*column*/) const { return GridAlignment::Left; }
};

// A grid bound to a data source. Binding another source, or Refresh, tells
// the views to read it again.
class DataGrid : public Control {
 public:
  DataGrid(Form* form, std::string name) : Control(form, ControlKind::DataGrid, std::move(name)) {}

  const std::shared_ptr<GridSource>& DataSource() const { return source_; }
  void DataSource(std::shared_ptr<GridSource> source) {
    source_ = std::move(source);
    changed(Property::DataSource);
  }

  void Refresh() { changed(Property::Refresh); }

 private:
  std::shared_ptr<GridSource> source_;
};

}  // namespace tavrello::forms
