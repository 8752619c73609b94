#pragma once

#include "platform/forms/control.h"

namespace tavrello::forms {

// A text box. Changing its text, by code or by the user, raises Change;
// setting the text it already has raises nothing. Several-line text boxes
// keep carriage return + line feed between lines, as the platform does.
class TextBox : public Control {
 public:
  TextBox(Form* form, std::string name) : Control(form, ControlKind::TextBox, std::move(name)) {}

  const std::string& Text() const { return text_; }
  void Text(std::string text);

  bool MultiLine() const { return multiLine_; }
  void MultiLine(bool on);

  // 0 none, 1 horizontal, 2 vertical, 3 both.
  int ScrollBars() const { return scrollBars_; }
  void ScrollBars(int bars);

  // A locked text box shows its text but the user cannot change it.
  bool Locked() const { return locked_; }
  void Locked(bool locked);

  // Views: the user changed the text (typing, pasting). Ignored while the box
  // is disabled or locked.
  void userSetText(std::string text);

 private:
  std::string text_;
  bool multiLine_ = false;
  int scrollBars_ = 0;
  bool locked_ = false;
};

}  // namespace tavrello::forms
