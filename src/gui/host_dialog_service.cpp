#include "gui/host_dialog_service.h"

#include <QApplication>

#include "gui/host_window.h"
#include "gui/qt_dialog_service.h"
#include "gui/range_prompt.h"

namespace tavrello::gui {

HostDialogService::HostDialogService(HostWindow& window)
    : window_(&window), qt_(std::make_unique<QtDialogService>(&window)) {}

HostDialogService::~HostDialogService() = default;

forms::MsgResult HostDialogService::messageBox(const forms::MessageBoxRequest& request) {
  return qt_->messageBox(request);
}

std::string HostDialogService::inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) {
  return qt_->inputBox(prompt, title, defaultText);
}

std::optional<std::string> HostDialogService::rangePrompt(const std::string& prompt, const std::string& title,
                                                          const std::string& defaultAddress) {
  // Under a modal window the grid takes no clicks: the address is typed.
  if (!window_ || !window_->isVisible() || QApplication::activeModalWidget())
    return qt_->rangePrompt(prompt, title, defaultAddress);
  RangePrompt box(*window_, prompt, title, defaultAddress);
  auto answer = box.ask();
  window_->refresh();
  return answer;
}

std::string HostDialogService::openFileDialog(const forms::FileDialogRequest& request) {
  return qt_->openFileDialog(request);
}

std::string HostDialogService::saveFileDialog(const forms::FileDialogRequest& request) {
  return qt_->saveFileDialog(request);
}

void HostDialogService::runModal(forms::Form& form) { qt_->runModal(form); }

void HostDialogService::showModeless(forms::Form& form) { qt_->showModeless(form); }

void HostDialogService::closeForm(forms::Form& form) { qt_->closeForm(form); }

}  // namespace tavrello::gui
