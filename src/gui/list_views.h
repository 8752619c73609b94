#pragma once

#include "gui/control_view.h"

class QComboBox;
class QTreeWidget;

namespace tavrello::forms {
class ComboBox;
class ListBox;
}  // namespace tavrello::forms

namespace tavrello::gui {

// A combo box: picking an item goes to userSelect (also the item already
// selected, which raises Click again), typing into an editable one to
// userSetText. Typed text is never added to the items.
class ComboBoxView : public ControlView {
 public:
  ComboBoxView(forms::ComboBox& combo, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  void connectEditor();
  void showSelection();

  QComboBox* combo_;
};

// A list box with columns: one row per item, the columns ColumnCount says,
// at ColumnWidths (a width of 0 hides its column), without a header.
class ListBoxView : public ControlView {
 public:
  ListBoxView(forms::ListBox& list, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  void fill();
  void showSelection();

  QTreeWidget* tree_;
};

}  // namespace tavrello::gui
