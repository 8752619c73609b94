#pragma once

#include <memory>

#include "platform/forms/dialog_service.h"

namespace tavrello::host {
class WorkbookApplication;
}

namespace tavrello::gui {

class AddinSwitch;
class HostDialogService;
class HostWindow;
class WindowProgress;

// One run of the workbook host with its window, between Qt's start and
// exit (a QApplication must exist). Starting it installs the window's
// dialog service, opens a new workbook when none is open, restores the
// built-in bars' placement, connects the add-ins registered to load at
// start-up and brings the window in line with what they built; the window
// is not shown yet. Its statements and saves show their progress over the
// window (WindowProgress). Ending it (end(), or destruction) disconnects the
// add-ins, drops the temporary bars, stores the built-in bars' placement,
// closes the window and puts the previous dialog service back.
class HostSession {
 public:
  HostSession(std::shared_ptr<host::WorkbookApplication> app, AddinSwitch& addins);
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  HostWindow& window() const { return *window_; }
  HostDialogService& dialogs() const { return *dialogs_; }

  void end();

 private:
  std::shared_ptr<host::WorkbookApplication> app_;
  AddinSwitch& addins_;
  std::unique_ptr<HostWindow> window_;
  std::unique_ptr<WindowProgress> progress_;
  std::shared_ptr<HostDialogService> dialogs_;
  std::shared_ptr<forms::DialogService> previous_;
  bool ended_ = false;
};

}  // namespace tavrello::gui
