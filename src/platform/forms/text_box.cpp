#include "platform/forms/text_box.h"

namespace tavrello::forms {

void TextBox::Text(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  changed(Property::Text);
  raise(Event::Change);
}

void TextBox::MultiLine(bool on) {
  if (on == multiLine_) return;
  multiLine_ = on;
  changed(Property::Style);
}

void TextBox::ScrollBars(int bars) {
  if (bars < 0 || bars > 3) throw invalidPropertyValue();
  if (bars == scrollBars_) return;
  scrollBars_ = bars;
  changed(Property::Style);
}

void TextBox::Locked(bool locked) {
  if (locked == locked_) return;
  locked_ = locked;
  changed(Property::Style);
}

void TextBox::userSetText(std::string text) {
  if (!Enabled() || locked_) return;
  asUser([&] {
    SetFocus();
    Text(std::move(text));
  });
}

}  // namespace tavrello::forms
