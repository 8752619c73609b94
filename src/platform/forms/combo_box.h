#pragma once

#include <vector>

#include "platform/forms/control.h"

namespace tavrello::forms {

enum class ComboStyle { DropDownCombo = 0, DropDownList = 2 };

// A drop-down list: editable (DropDownCombo: the user may type any text) or
// a plain list (DropDownList: the text is always one of the items).
//
// Setting ListIndex to an item raises Click, whether code or the user sets
// it, and also when that item is already selected: the query window treats
// every such selection as a choice of connection. Typing into an editable
// combo raises Change.
class ComboBox : public Control {
 public:
  ComboBox(Form* form, std::string name) : Control(form, ControlKind::ComboBox, std::move(name)) {}

  ComboStyle Style() const { return style_; }
  void Style(ComboStyle style);

  // The text in the box. Setting it on an editable combo selects the first
  // item of exactly that text (without Click) or none, and raises Change when
  // the text changes. On a plain list the text must be an item's (compared
  // ignoring case), which is then selected as by ListIndex; other text fails
  // with "'Text' property is read-only".
  const std::string& Text() const { return text_; }
  void Text(std::string text);

  // Inserts an item before `index`, or appends it when index is -1. The
  // selected item stays selected. Fails with "Invalid procedure call or
  // argument" for an index beyond the list.
  void AddItem(std::string item, int index = -1);

  // Removes one item; removing the selected one leaves nothing selected.
  void RemoveItem(int index);

  // Removes every item and empties the text; nothing is raised.
  void Clear();

  int ListCount() const { return static_cast<int>(items_.size()); }
  const std::string& List(int index) const;
  void List(int index, std::string item);
  const std::vector<std::string>& Items() const { return items_; }

  // The selected item, from 0; -1 for none. Setting -1 empties the text;
  // an index outside -1 .. ListCount-1 fails with "Invalid property value".
  int ListIndex() const { return listIndex_; }
  void ListIndex(int index);

  // Views: the user picked an item from the drop-down (Click, even when it
  // was selected already), or typed into an editable combo (Change).
  void userSelect(int index);
  void userSetText(std::string text);

 private:
  void checkIndex(int index) const;

  ComboStyle style_ = ComboStyle::DropDownCombo;
  std::string text_;
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

}  // namespace tavrello::forms
