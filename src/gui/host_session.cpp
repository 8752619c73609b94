#include "gui/host_session.h"

#include "gui/addin_switch.h"
#include "gui/host_dialog_service.h"
#include "gui/host_window.h"
#include "gui/window_progress.h"
#include "platform/host/workbook/bar_placement_store.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "platform/system/registry.h"

namespace tavrello::gui {

HostSession::HostSession(std::shared_ptr<host::WorkbookApplication> app, AddinSwitch& addins)
    : app_(std::move(app)), addins_(addins) {
  window_ = std::make_unique<HostWindow>(app_, &addins_);
  progress_ = std::make_unique<WindowProgress>(window_.get());
  dialogs_ = std::make_shared<HostDialogService>(*window_);
  previous_ = forms::setDialogService(dialogs_);
  if (app_->books().empty()) app_->addBook();
  host::loadBuiltInBarPlacement(*app_->commandBars());
  addins_.connectAtStartup();
  window_->refresh();
}

HostSession::~HostSession() { end(); }

void HostSession::end() {
  if (ended_) return;
  ended_ = true;
  // The add-ins save their tool bars' places from the host's bars, which
  // the window has kept up to date with the user's moves.
  // The add-ins and the host store their bars' places in one write.
  sys::RegistryBatch batch;
  addins_.disconnectAll();
  app_->commandBars()->removeTemporary();
  try {
    host::saveBuiltInBarPlacement(*app_->commandBars());
    batch.finish();
  } catch (const Failure& failure) {
    forms::MsgBox("The places of the tool bars could not be stored: " + failure.description(),
                  forms::MsgButtons::OkOnly, forms::MsgIcon::Exclamation, host::kHostTitle);
  }
  forms::setDialogService(std::move(previous_));
  progress_.reset();
  window_->hide();
  window_.reset();
  dialogs_.reset();
}

}  // namespace tavrello::gui
