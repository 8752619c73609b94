#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "host/addin_manager.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/scripted_dialog_service.h"

namespace tavrello::forms {
class Form;
}

namespace tavrello::host {

class WorkbookApplication;

// One run of the host without its window, with the add-ins registered for
// the current user loaded: a scripted dialog service that prints every
// message box on `err` as one line (and answers with its default button
// unless told otherwise), the application reporting `hostVersion`, the
// built-in bars' placement restored and the add-ins connected. Ending it
// disconnects the add-ins, drops the temporary bars and stores the
// placement, as the host's exit does.
//
// The command-line drivers act on the add-in only as a user would: through
// its tool bar and the windows it shows.
class HeadlessSession {
 public:
  explicit HeadlessSession(std::ostream& err, const std::string& hostVersion = "12.0");
  ~HeadlessSession();
  HeadlessSession(const HeadlessSession&) = delete;
  HeadlessSession& operator=(const HeadlessSession&) = delete;

  WorkbookApplication& app() const { return *app_; }
  forms::ScriptedDialogService& dialogs() const { return *dialogs_; }
  AddinManager& addins() { return addins_; }

  // Chooses `connection` in the Tavrello tool bar's list of connections,
  // clicks its Quick Load button and returns the query window that opened.
  // Throws Failure when the tool bar, the connection or the window is not
  // there.
  std::shared_ptr<forms::Form> quickLoad(const std::string& connection);

  // The same with the list's first entry, the placeholder "Tavrello
  // Toolbar", chosen: the query window opens disconnected, with New/Edit
  // enabled.
  std::shared_ptr<forms::Form> quickLoadDisconnected();

  // Ends the run now (the destructor does it otherwise); the dialog service
  // stays installed until the session goes, so what the shut-down shows is
  // printed and counted too.
  void end();

  // Whether a failure (a box with the critical icon) has been shown.
  bool failureShown() const { return dialogs_->criticalCount() > 0; }

 private:
  struct ToolbarParts;
  ToolbarParts toolbarParts() const;
  std::shared_ptr<forms::Form> quickLoadEntry(ToolbarParts& parts, std::int32_t entry);

  std::shared_ptr<forms::ScriptedDialogService> dialogs_;
  forms::ScopedDialogService installed_;
  std::shared_ptr<WorkbookApplication> app_;
  AddinManager addins_;
  bool ended_ = false;
};

}  // namespace tavrello::host
