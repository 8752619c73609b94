#include "platform/forms/command_button.h"

namespace tavrello::forms {

void CommandButton::Picture(std::string name) {
  if (name == picture_) return;
  picture_ = std::move(name);
  changed(Property::Picture);
}

void CommandButton::userClick() {
  if (!Enabled()) return;
  asUser([this] {
    SetFocus();
    raise(Event::Click);
  });
}

}  // namespace tavrello::forms
