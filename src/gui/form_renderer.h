#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/forms/signal.h"

class QWidget;

namespace tavrello::forms {
class Control;
class Form;
}  // namespace tavrello::forms

namespace tavrello::gui {

class ControlView;

// Builds the widgets of a form from its control table, inside `client`:
// each control by its kind (a special one by its registered factory), at
// its position and size in twips, inside its container (a frame, or a page
// of a tab control), in TabIndex order for the keyboard. From then on each
// widget follows its control (see ControlView), and only the current page's
// controls of a tab control are shown. Containers are taken as they are when
// the window is built. Controls without a window (file dialogs) get no
// widget; a custom control whose kind has no factory gets an empty frame and
// a warning on standard error.
class FormRenderer {
 public:
  FormRenderer(forms::Form& form, QWidget* client);
  ~FormRenderer();
  FormRenderer(const FormRenderer&) = delete;
  FormRenderer& operator=(const FormRenderer&) = delete;

  // The widget of a control by name, or null.
  QWidget* widget(const std::string& controlName) const;

  // The control whose widget is `widget` or holds it, or null.
  forms::Control* controlAt(const QWidget* widget) const;

  // The form is going: the widgets stop following and forwarding.
  void detach();

 private:
  ControlView* createView(forms::Control& control, QWidget* parent);
  void placeInContainers(forms::Form& form);
  void showCurrentPages();
  void orderTabStops(forms::Form& form);

  QWidget* client_;
  std::vector<ControlView*> views_;
  std::map<std::string, ControlView*> byName_;
  std::vector<forms::Subscription> tabSubscriptions_;
};

}  // namespace tavrello::gui
