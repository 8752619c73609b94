#include "platform/forms/control.h"

#include "platform/forms/form.h"

namespace tavrello::forms {

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox: return "TextBox";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::ComboBox: return "ComboBox";
    case ControlKind::ListBox: return "ListBox";
    case ControlKind::CommandButton: return "CommandButton";
    case ControlKind::Frame: return "Frame";
    case ControlKind::Label: return "Label";
    case ControlKind::Image: return "Image";
    case ControlKind::TabControl: return "TabControl";
    case ControlKind::DataGrid: return "DataGrid";
    case ControlKind::FileDialog: return "FileDialog";
    case ControlKind::Custom: return "Custom";
  }
  return "";
}

Failure invalidPropertyValue() { return Failure(380, "Invalid property value"); }

Control::Control(Form* form, ControlKind kind, std::string name)
    : form_(form), kind_(kind), name_(std::move(name)) {
  if (form_) font_ = form_->Font();
}

void Control::Caption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  changed(Property::Caption);
}

void Control::Left(float twips) { Move(twips, top_, width_, height_); }
void Control::Top(float twips) { Move(left_, twips, width_, height_); }
void Control::Width(float twips) { Move(left_, top_, twips, height_); }
void Control::Height(float twips) { Move(left_, top_, width_, twips); }

void Control::Move(float left, float top, float width, float height) {
  if (width < 0 || height < 0) throw invalidPropertyValue();
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  changed(Property::Geometry);
}

void Control::Container(std::string name, int page) {
  container_ = std::move(name);
  containerPage_ = page;
  changed(Property::Container);
}

void Control::Enabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  changed(Property::Enabled);
}

void Control::Visible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  changed(Property::Visible);
}

void Control::Font(FontInfo font) {
  if (font == font_) return;
  font_ = std::move(font);
  changed(Property::Font);
}

void Control::TabIndex(int index) {
  if (index < 0) throw invalidPropertyValue();
  if (index == tabIndex_) return;
  tabIndex_ = index;
  changed(Property::TabIndex);
}

void Control::ToolTipText(std::string text) {
  if (text == toolTip_) return;
  toolTip_ = std::move(text);
  changed(Property::ToolTipText);
}

bool Control::CanFocus() const {
  switch (kind_) {
    case ControlKind::Frame:
    case ControlKind::Label:
    case ControlKind::Image:
    case ControlKind::FileDialog:
      return false;
    default:
      return true;
  }
}

void Control::SetFocus() {
  if (form_ && CanFocus()) form_->moveFocus(this);
}

void Control::userFocus() {
  asUser([this] { SetFocus(); });
}

Subscription Control::observe(std::function<void(Property)> observer) { return changed_.connect(std::move(observer)); }

void Control::asUser(const std::function<void()>& action) { asUserAction(form_, action); }

}  // namespace tavrello::forms
