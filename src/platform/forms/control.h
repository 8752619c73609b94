#pragma once

#include <functional>
#include <string>

#include "platform/forms/events.h"
#include "platform/forms/signal.h"

namespace tavrello::forms {

class Form;

// The kinds of controls the windows are built from. A view picks its widget
// by kind; Custom controls name their widget factory themselves.
enum class ControlKind {
  TextBox,
  CheckBox,
  ComboBox,
  ListBox,
  CommandButton,
  Frame,
  Label,
  Image,
  TabControl,
  DataGrid,
  FileDialog,
  Custom,
};

const char* kindName(ControlKind kind);

// What an observer is told has changed; it reads the new value itself.
enum class Property {
  Caption,
  Text,
  Value,
  Enabled,
  Visible,
  Geometry,
  Font,
  ToolTipText,
  TabIndex,
  Container,
  Picture,
  Style,
  List,
  ListIndex,
  Columns,
  Tabs,
  Tab,
  DataSource,
  Focus,
  Refresh,
  Custom,
};

struct FontInfo {
  std::string Name = "Tahoma";
  float Size = 8.25F;
  bool Bold = false;
  bool Italic = false;

  bool operator==(const FontInfo&) const = default;
};

// A named control of a form, with the properties every kind has. Positions
// and sizes are in twips (1/1440 inch, 15 to a pixel on a 96 dpi screen), as
// the windows are designed; Left and Top are relative to the container: the
// form, a frame, or the tab control that holds the page the control is on.
//
// Setters notify observers (the views) of the property that changed; a view
// forwards what the user does through the user*() methods, which raise the
// events as user actions (see events.h).
class Control : public EventSource {
 public:
  Control(Form* form, ControlKind kind, std::string name);
  ~Control() override = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  // The form the control is on; null for a control on no form.
  Form* Parent() const { return form_; }

  const std::string& Caption() const { return caption_; }
  void Caption(std::string caption);

  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  void Left(float twips);
  void Top(float twips);
  void Width(float twips);
  void Height(float twips);
  void Move(float left, float top, float width, float height);

  // The name of the frame or tab control that holds the control, empty for
  // the form itself; for a tab control also the page (from 0), else -1.
  const std::string& Container() const { return container_; }
  int ContainerPage() const { return containerPage_; }
  void Container(std::string name, int page = -1);

  bool Enabled() const { return enabled_; }
  void Enabled(bool enabled);
  bool Visible() const { return visible_; }
  void Visible(bool visible);

  const FontInfo& Font() const { return font_; }
  void Font(FontInfo font);

  int TabIndex() const { return tabIndex_; }
  void TabIndex(int index);

  const std::string& ToolTipText() const { return toolTip_; }
  void ToolTipText(std::string text);

  // Whether the kind takes the keyboard focus.
  bool CanFocus() const;

  // Moves the keyboard focus here: the control that had it gets LostFocus,
  // this one GotFocus. Nothing happens when it has the focus already.
  void SetFocus();

  // Views: the user moved the focus here (clicked into the control).
  void userFocus();

  // Views: observe property changes for as long as the subscription lives.
  [[nodiscard]] Subscription observe(std::function<void(Property)> observer);

 protected:
  void changed(Property property) { changed_.notify(property); }
  Form* ownerForm() const override { return form_; }
  // Runs a user action on this control's form (see asUserAction).
  void asUser(const std::function<void()>& action);

 private:
  Form* form_;
  ControlKind kind_;
  std::string name_;
  std::string caption_;
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string container_;
  int containerPage_ = -1;
  bool enabled_ = true;
  bool visible_ = true;
  FontInfo font_;
  int tabIndex_ = 0;
  std::string toolTip_;
  Signal<Property> changed_;

  friend class Form;
  void raiseFocusEvent(Event event) { raise(event); }
  void focusChanged() { changed(Property::Focus); }
};

// The platform's failure for a property given a value it does not take.
Failure invalidPropertyValue();

}  // namespace tavrello::forms
