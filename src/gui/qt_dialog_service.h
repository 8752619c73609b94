#pragma once

#include <map>

#include <QPointer>
#include <QWidget>

#include "platform/forms/dialog_service.h"

namespace tavrello::gui {

class FormWindow;

// The dialog service of the program with a screen: Qt message, input and
// file dialogs, and a FormWindow per form shown. Boxes are modal over the
// active window (else the owner). Modal forms run their window's own event
// loop until the form hides or unloads; modeless ones are top-level windows
// that stay until then. Must be used on the Qt GUI thread with a
// QApplication running.
class QtDialogService : public forms::DialogService {
 public:
  explicit QtDialogService(QWidget* owner = nullptr);
  ~QtDialogService() override;

  forms::MsgResult messageBox(const forms::MessageBoxRequest& request) override;
  std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::optional<std::string> passwordPrompt(const std::string& prompt, const std::string& title) override;
  std::optional<std::string> rangePrompt(const std::string& prompt, const std::string& title,
                                         const std::string& defaultAddress) override;
  std::string openFileDialog(const forms::FileDialogRequest& request) override;
  std::string saveFileDialog(const forms::FileDialogRequest& request) override;
  void runModal(forms::Form& form) override;
  void showModeless(forms::Form& form) override;
  void closeForm(forms::Form& form) override;

  // The window showing a form, or null.
  FormWindow* window(const forms::Form& form) const;

 private:
  FormWindow* windowFor(forms::Form& form);
  QWidget* dialogParent() const;

  QPointer<QWidget> owner_;
  std::map<const forms::Form*, QPointer<FormWindow>> windows_;
};

}  // namespace tavrello::gui
