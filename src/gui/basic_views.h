#pragma once

#include "gui/control_view.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tavrello::forms {
class CheckBox;
class CommandButton;
class Frame;
class Image;
class Label;
class TextBox;
}  // namespace tavrello::forms

namespace tavrello::gui {

// Views of the simple kinds; each creates its widget as a child of `parent`.

class LabelView : public ControlView {
 public:
  LabelView(forms::Label& label, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  QLabel* label_;
};

class ImageView : public ControlView {
 public:
  ImageView(forms::Image& image, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  QLabel* label_;
};

class FrameView : public ControlView {
 public:
  FrameView(forms::Frame& frame, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  QGroupBox* box_;
};

// A button with a picture shows it above the caption when the button is
// tall enough, beside it otherwise.
class ButtonView : public ControlView {
 public:
  ButtonView(forms::CommandButton& button, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  QAbstractButton* button_;
};

class CheckBoxView : public ControlView {
 public:
  CheckBoxView(forms::CheckBox& check, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  QCheckBox* check_;
};

// One line (QLineEdit) or several (QPlainTextEdit), as MultiLine is when the
// window is built. Several-line text keeps CR LF between lines in the
// control and LF in the widget.
class TextBoxView : public ControlView {
 public:
  TextBoxView(forms::TextBox& text, QWidget* parent);

 protected:
  void syncOwn(forms::Property property) override;

 private:
  QLineEdit* line_ = nullptr;
  QPlainTextEdit* lines_ = nullptr;
};

}  // namespace tavrello::gui
