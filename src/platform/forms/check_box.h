#pragma once

#include "platform/forms/control.h"

namespace tavrello::forms {

// A check box with a caption. Value is 0 (unchecked), 1 (checked) or 2
// (greyed). A change of Value, by code or by the user, raises Click.
class CheckBox : public Control {
 public:
  CheckBox(Form* form, std::string name) : Control(form, ControlKind::CheckBox, std::move(name)) {}

  int Value() const { return value_; }
  // Fails with "Invalid property value" outside 0 to 2.
  void Value(int value);

  // Views: the user clicked the box: it takes the focus and toggles between
  // checked and unchecked. Ignored while disabled.
  void userClick();

 private:
  int value_ = 0;
};

}  // namespace tavrello::forms
