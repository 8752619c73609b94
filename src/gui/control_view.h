#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/forms/control.h"

namespace tavrello::gui {

// Keeps one widget in step with one control: the control's changes are
// applied to the widget, and the widget's user actions go to the control's
// user-action methods. This base applies what every kind has (position and
// size, enabled, visible, font, tool tip, focus); a subclass per kind adds
// the rest. The view is a child of its widget and goes with it.
class ControlView : public QObject {
 public:
  ControlView(forms::Control& control, QWidget* widget);
  ~ControlView() override;

  // Null once detached.
  forms::Control* control() const { return control_; }
  QWidget* widget() const { return widget_; }

  // Applies every property of the control to the widget.
  void syncAll();

  // The control is going away: from now on the view does nothing.
  void detach();

  // Whether the tab page that holds the control is the current one.
  void setPageShown(bool shown);

 protected:
  // Applies one kind-specific property change.
  virtual void syncOwn(forms::Property) {}

  template <class T>
  T* as() const {
    return static_cast<T*>(control_);
  }

  // True while the view itself writes to the widget: the widget's signals
  // then echo the control, not the user, and are ignored.
  bool updating() const { return updating_; }
  class Updating {
   public:
    explicit Updating(ControlView& view) : view_(view), saved_(view.updating_) { view_.updating_ = true; }
    ~Updating() { view_.updating_ = saved_; }
    Updating(const Updating&) = delete;
    Updating& operator=(const Updating&) = delete;

   private:
    ControlView& view_;
    bool saved_;
  };

 private:
  void sync(forms::Property property);
  void applyVisibility();

  forms::Control* control_;
  QPointer<QWidget> widget_;
  forms::Subscription subscription_;
  bool pageShown_ = true;
  bool updating_ = false;
};

}  // namespace tavrello::gui
