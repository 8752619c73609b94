#include "platform/host/addin_entry.h"

#include "addin/dsr_connect.h"
#include "support/m_error_handler.h"

// The library's one exported entry point, which the host resolves after
// loading the library by its registration. Creating the connection object
// also routes failures that escape the add-in's event procedures to the
// error reporter, so they reach the user and the log instead of the host.
TAVRELLO_ADDIN_EXPORT int tavrello_addin_create(std::uint32_t hostAbiVersion, tavrello_addin* addin, char* error,
                                                std::size_t errorSize) {
  tavrello::MErrorHandler::routeUnhandledFailures();
  return tavrello::host::createAddin<tavrello::dsrConnect>(hostAbiVersion, addin, error, errorSize);
}
