#include "addin/m_globals.h"

#include "platform/system/failure.h"

namespace tavrello::MGlobals {

std::shared_ptr<host::Application> gxlApp;
bool gbShutdownInProgress = false;
tavrello::ConnectionList ConnectionList;

void InitGlobals() { gbShutdownInProgress = false; }

host::Application& xlApp() {
  if (!gxlApp) throw Failure::objectNotSet();
  return *gxlApp;
}

}  // namespace tavrello::MGlobals
