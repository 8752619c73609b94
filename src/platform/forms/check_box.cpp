#include "platform/forms/check_box.h"

namespace tavrello::forms {

void CheckBox::Value(int value) {
  if (value < 0 || value > 2) throw invalidPropertyValue();
  if (value == value_) return;
  value_ = value;
  changed(Property::Value);
  raise(Event::Click);
}

void CheckBox::userClick() {
  if (!Enabled()) return;
  asUser([this] {
    SetFocus();
    Value(value_ == 1 ? 0 : 1);
  });
}

}  // namespace tavrello::forms
