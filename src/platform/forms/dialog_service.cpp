#include "platform/forms/dialog_service.h"

#include <utility>

#include "platform/forms/scripted_dialog_service.h"

namespace tavrello::forms {
namespace {

std::shared_ptr<DialogService>& installed() {
  static std::shared_ptr<DialogService> service;
  return service;
}

DialogService& fallback() {
  static ScriptedDialogService service;
  return service;
}

}  // namespace

DialogService& dialogs() { return installed() ? *installed() : fallback(); }

std::shared_ptr<DialogService> setDialogService(std::shared_ptr<DialogService> service) {
  return std::exchange(installed(), std::move(service));
}

MsgResult MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) {
  return dialogs().messageBox(MessageBoxRequest{text, buttons, icon, title});
}

std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  return dialogs().inputBox(prompt, title, defaultText);
}

}  // namespace tavrello::forms
