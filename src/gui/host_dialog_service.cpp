#include "gui/host_dialog_service.h"

#include <QApplication>

#include "gui/host_window.h"
#include "gui/range_prompt.h"

namespace tavrello::gui {

HostDialogService::HostDialogService(HostWindow& window) : QtDialogService(&window), window_(&window) {}

std::optional<std::string> HostDialogService::rangePrompt(const std::string& prompt, const std::string& title,
                                                          const std::string& defaultAddress) {
  // Under a modal window the grid takes no clicks: the address is typed.
  if (!window_ || !window_->isVisible() || QApplication::activeModalWidget())
    return QtDialogService::rangePrompt(prompt, title, defaultAddress);
  RangePrompt box(*window_, prompt, title, defaultAddress);
  auto answer = box.ask();
  window_->refresh();
  return answer;
}

}  // namespace tavrello::gui
