#pragma once

#include <memory>

#include "platform/host/addin_entry.h"
#include "platform/host/application.h"

namespace tavrello {

// The add-in's connection class: the host creates one through the library's
// entry point and calls it when it loads and unloads the add-in.
//
// Start order, fixed: keep the host object, reset the globals, build the
// toolbar, restore its place, bind its buttons. Stop order, fixed: mark the
// shut-down, unbind the buttons, save the toolbar's place (read before the
// toolbar goes), delete the toolbar.
class dsrConnect : public host::AddinConnection {
 public:
  // Keeps Application in MGlobals::gxlApp and runs the start order. A failure
  // is reported under "dsrConnect"."AddinInstance_OnConnection" and the
  // add-in shuts itself down again; when the toolbar cannot be built, the
  // toolbar's own report is followed by a second one (failure 9999). Never
  // throws; ConnectMode is not used.
  void AddinInstance_OnConnection(const std::shared_ptr<host::Application>& Application, int ConnectMode) override;

  // Shuts the add-in down unless it has shut down already, so a failed
  // connection's later disconnect, or a second disconnect, does nothing.
  // Never throws; RemoveMode is not used.
  void AddinInstance_OnDisconnection(int RemoveMode) override;

  // The stop order, each step's failure ignored so the next one still runs.
  // The host object stays in gxlApp.
  void ShutdownApplication();
};

}  // namespace tavrello
