#pragma once

#include <any>
#include <string>

#include "platform/forms/control.h"

namespace tavrello::forms {

// A special control (the query builder, for one) that a view draws with a
// widget registered under its kind name. Subclasses add their own members
// and raise their own events, by name, with arguments when they have some.
class CustomControl : public Control {
 public:
  CustomControl(Form* form, std::string name, std::string kindName)
      : Control(form, ControlKind::Custom, std::move(name)), kindName_(std::move(kindName)) {}

  // The name the view looks its widget factory up by.
  const std::string& kindName() const { return kindName_; }

  // Raises one of the control's own events. The handler receives `args`
  // (null when there are none); failures follow the rules of events.h.
  void raiseEvent(const std::string& event, std::any* args = nullptr) { raise(event, args); }

  // Raises an event for something the user did in the widget.
  void raiseUserEvent(const std::string& event, std::any* args = nullptr) {
    asUser([&] { raise(event, args); });
  }

  // Tells the views that the control's own state changed.
  void notifyChanged() { changed(Property::Custom); }

 private:
  std::string kindName_;
};

}  // namespace tavrello::forms
