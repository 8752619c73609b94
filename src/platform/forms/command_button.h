#pragma once

#include "platform/forms/control.h"

namespace tavrello::forms {

// A push button with a caption and, optionally, a picture shown above it.
class CommandButton : public Control {
 public:
  CommandButton(Form* form, std::string name) : Control(form, ControlKind::CommandButton, std::move(name)) {}

  // The name of the picture in the program's picture collection; empty for a
  // plain text button.
  const std::string& Picture() const { return picture_; }
  void Picture(std::string name);

  // Views: the user pressed the button: it takes the focus (the control that
  // had it gets LostFocus first) and raises Click. Ignored while disabled.
  void userClick();

 private:
  std::string picture_;
};

}  // namespace tavrello::forms
