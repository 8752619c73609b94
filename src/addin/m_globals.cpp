#include "addin/m_globals.h"

namespace tavrello::MGlobals {

std::shared_ptr<host::Application> gxlApp;

}  // namespace tavrello::MGlobals
