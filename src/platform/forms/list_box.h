#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/forms/control.h"

namespace tavrello::forms {

// A single-selection list box whose rows have columns. Rows are numbered
// from 0 and columns from 0 in List(row, column); ColumnCount columns are
// shown, at the widths of ColumnWidths ("68;0": 68 points, then a hidden
// column). A column beyond ColumnCount keeps its text but is not shown.
//
// Every change of the selected row raises Change, whether code or the user
// makes it: setting ListIndex or Selected, and removing or clearing the
// selected row.
class ListBox : public Control {
 public:
  // Rows hold at most this many columns, as on the platform.
  static constexpr int kMaxColumns = 10;

  ListBox(Form* form, std::string name) : Control(form, ControlKind::ListBox, std::move(name)) {}

  int ColumnCount() const { return columnCount_; }
  void ColumnCount(int count);

  // Widths in points separated by ";"; a missing width means "share what is
  // left". Fails with "Invalid property value" for text that is not a list
  // of numbers.
  const std::string& ColumnWidths() const { return columnWidths_; }
  void ColumnWidths(std::string widths);
  // The widths parsed, one entry per column given; nullopt where not given.
  std::vector<std::optional<float>> columnWidthPoints() const;

  // The value column, from 1 (Value reads it from the selected row); 0
  // makes the row number the value.
  int BoundColumn() const { return boundColumn_; }
  void BoundColumn(int column);

  // Inserts a row whose column 0 is `text` before `index`, or appends it when
  // index is -1. The selected row stays selected.
  void AddItem(std::string text = {}, int index = -1);
  void RemoveItem(int index);
  void Clear();

  int ListCount() const { return static_cast<int>(rows_.size()); }

  // One cell. A row or column outside the table fails with "Could not get
  // (set) the List property. Invalid property array index."
  std::string List(int row, int column = 0) const;
  void List(int row, int column, std::string text);
  // The whole table, rows of cells (a row may be shorter than the columns).
  const std::vector<std::vector<std::string>>& List() const { return rows_; }

  // The selected row, or -1. Outside -1 .. ListCount-1 fails with "Invalid
  // property value".
  int ListIndex() const { return listIndex_; }
  void ListIndex(int index);

  bool Selected(int row) const;
  void Selected(int row, bool selected);

  // The bound column of the selected row; empty when nothing is selected.
  std::string Value() const;

  // Views: the user selected a row (it takes the focus first).
  void userSelect(int row);

 private:
  void checkRow(int row, const char* verb) const;

  int columnCount_ = 1;
  std::string columnWidths_;
  int boundColumn_ = 1;
  std::vector<std::vector<std::string>> rows_;
  int listIndex_ = -1;
};

}  // namespace tavrello::forms
