#include "addin/dsr_connect.h"

#include "addin/command_bar_settings.h"
#include "addin/m_globals.h"
#include "platform/system/failure.h"
#include "support/m_error_handler.h"
#include "toolbar/c_control_events.h"
#include "toolbar/m_command_bars.h"

namespace tavrello {

namespace {

std::shared_ptr<host::CommandBar> addinToolbar() {
  return MGlobals::xlApp().CommandBars()->Item(MCommandBars::kToolbarName);
}

// Runs one step of the shut-down; whatever fails in it is left behind.
template <class Step>
void ignoringFailures(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

void dsrConnect::AddinInstance_OnConnection(const std::shared_ptr<host::Application>& Application, int) {
  const bool failed = MErrorHandler::handled("dsrConnect", "AddinInstance_OnConnection", [&] {
    MGlobals::gxlApp = Application;
    MGlobals::InitGlobals();
    // The toolbar has reported its own failure; the 9999 says so, and its
    // report carries the platform's generic text.
    if (!MCommandBars::bBuildCommandBars()) throw Failure::alreadyReported(Failure::host().description());
    LoadCommandBarSettings(addinToolbar());
    MGlobals::gclsControlEvents = std::make_unique<CControlEvents>();
  });
  if (failed) ShutdownApplication();
}

void dsrConnect::AddinInstance_OnDisconnection(int) {
  if (!MGlobals::gbShutdownInProgress) ShutdownApplication();
}

void dsrConnect::ShutdownApplication() {
  MGlobals::gbShutdownInProgress = true;
  ignoringFailures([] { MGlobals::gclsControlEvents.reset(); });
  ignoringFailures([] { SaveCommandBarSettings(addinToolbar()); });
  ignoringFailures([] { MCommandBars::RemoveCommandBars(); });
}

}  // namespace tavrello
