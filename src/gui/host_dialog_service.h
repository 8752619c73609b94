#pragma once

#include <QPointer>

#include "gui/qt_dialog_service.h"

namespace tavrello::gui {

class HostWindow;

// The dialog service while the host window is up: the Qt dialog service,
// owned by the window, with the host's own range prompt, which lets the user
// point at cells on the window's grid. Without the window (it has closed), or
// under a modal window (which keeps the grid from taking clicks), the plain
// Qt prompt is used.
class HostDialogService : public QtDialogService {
 public:
  explicit HostDialogService(HostWindow& window);

  std::optional<std::string> rangePrompt(const std::string& prompt, const std::string& title,
                                         const std::string& defaultAddress) override;

 private:
  QPointer<HostWindow> window_;
};

}  // namespace tavrello::gui
