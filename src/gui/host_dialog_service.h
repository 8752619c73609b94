#pragma once

#include <memory>

#include <QPointer>

#include "platform/forms/dialog_service.h"

namespace tavrello::gui {

class HostWindow;
class QtDialogService;

// The dialog service while the host window is up: the Qt dialog service
// for boxes, file dialogs and forms, owned by the window, and the host's
// own range prompt, which lets the user point at cells on the window's
// grid. Without the window (it has closed), or under a modal window (which
// keeps the grid from taking clicks), the plain Qt prompt is used.
class HostDialogService : public forms::DialogService {
 public:
  explicit HostDialogService(HostWindow& window);
  ~HostDialogService() override;

  forms::MsgResult messageBox(const forms::MessageBoxRequest& request) override;
  std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::optional<std::string> rangePrompt(const std::string& prompt, const std::string& title,
                                         const std::string& defaultAddress) override;
  std::string openFileDialog(const forms::FileDialogRequest& request) override;
  std::string saveFileDialog(const forms::FileDialogRequest& request) override;
  void runModal(forms::Form& form) override;
  void showModeless(forms::Form& form) override;
  void closeForm(forms::Form& form) override;

  // The service that shows forms (to find a form's window).
  QtDialogService& qt() const { return *qt_; }

 private:
  QPointer<HostWindow> window_;
  std::unique_ptr<QtDialogService> qt_;
};

}  // namespace tavrello::gui
