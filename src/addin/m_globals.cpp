#include "addin/m_globals.h"

#include "platform/system/failure.h"
#include "toolbar/c_control_events.h"

namespace tavrello::MGlobals {

std::shared_ptr<host::Application> gxlApp;
bool gbShutdownInProgress = false;
std::unique_ptr<CControlEvents> gclsControlEvents;
tavrello::ConnectionList ConnectionList;
std::shared_ptr<db::Connection> gcnDatabase;

void InitGlobals() { gbShutdownInProgress = false; }

host::Application& xlApp() {
  if (!gxlApp) throw Failure::objectNotSet();
  return *gxlApp;
}

}  // namespace tavrello::MGlobals
