#pragma once

#include <memory>
#include <string>

#include <QDialog>

#include "platform/forms/signal.h"

namespace tavrello::forms {
class Form;
}

namespace tavrello::gui {

class FormRenderer;

// The window of one form: a top-level dialog whose client area is the
// form's size, titled with its caption, holding the widgets the renderer
// built. It follows the form's caption, size, icon and font; the close box
// and resizing go to the form as user actions, and so does the keyboard
// focus moving between its widgets. Escape does not close it (a form closes
// through its own buttons or the close box). Once the form unloads or goes,
// the window stops following it.
class FormWindow : public QDialog {
  Q_OBJECT

 public:
  explicit FormWindow(forms::Form& form, QWidget* owner = nullptr);
  ~FormWindow() override;

  // Null once detached.
  forms::Form* form() const { return form_; }

  // The widget of one of the form's controls, or null.
  QWidget* controlWidget(const std::string& name) const;

  // Stop following the form (it unloads or goes).
  void detach();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void reject() override;

 private:
  void formChanged(int change);
  void applySize();

  forms::Form* form_;
  std::unique_ptr<FormRenderer> renderer_;
  forms::Subscription subscription_;
  QMetaObject::Connection focusConnection_;
  bool applyingSize_ = false;
};

}  // namespace tavrello::gui
