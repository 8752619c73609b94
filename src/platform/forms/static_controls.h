#pragma once

#include "platform/forms/control.h"

namespace tavrello::forms {

// A frame: a captioned box that holds other controls (their Container names
// it, and their positions are relative to it).
class Frame : public Control {
 public:
  Frame(Form* form, std::string name) : Control(form, ControlKind::Frame, std::move(name)) {}
};

enum class Alignment { Left = 0, Right = 1, Center = 2 };

// A label: a caption the user cannot change, wrapped at the label's width.
class Label : public Control {
 public:
  Label(Form* form, std::string name) : Control(form, ControlKind::Label, std::move(name)) {}

  forms::Alignment Alignment() const { return alignment_; }
  void Alignment(forms::Alignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    changed(Property::Style);
  }

 private:
  forms::Alignment alignment_ = Alignment::Left;
};

// A picture, named as in the program's picture collection.
class Image : public Control {
 public:
  Image(Form* form, std::string name) : Control(form, ControlKind::Image, std::move(name)) {}

  const std::string& Picture() const { return picture_; }
  void Picture(std::string name) {
    if (name == picture_) return;
    picture_ = std::move(name);
    changed(Property::Picture);
  }

  // Whether the picture is scaled to the control's size.
  bool Stretch() const { return stretch_; }
  void Stretch(bool on) {
    if (on == stretch_) return;
    stretch_ = on;
    changed(Property::Style);
  }

 private:
  std::string picture_;
  bool stretch_ = false;
};

}  // namespace tavrello::forms
