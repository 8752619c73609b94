#pragma once

#include <memory>

#include "platform/db/connection.h"
#include "platform/host/application.h"
#include "profiles/connection_list.h"

namespace tavrello {
class CControlEvents;
}

// The add-in's global state: one instance per loaded add-in, all empty at
// load. Everything here is used on the host's user-interface thread only.
namespace tavrello::MGlobals {

// The host application object, kept from the connection until the add-in is
// unloaded; empty before the first connection.
extern std::shared_ptr<host::Application> gxlApp;

// Set by the shut-down, cleared by InitGlobals; a disconnect that finds it
// set does nothing, so a connection is shut down at most once.
extern bool gbShutdownInProgress;

// The toolbar's click receiver while connected; holding it keeps the buttons
// bound, releasing it unbinds them.
extern std::unique_ptr<CControlEvents> gclsControlEvents;

// The saved connections, as the settings file was last loaded (or as the
// connection editor last copied them in). Unsized until the first load that
// finds a connection.
extern tavrello::ConnectionList ConnectionList;

// The open database connection of the query window's last statement run, or
// none; the preview leaves it open and the imports close and release it.
extern std::shared_ptr<db::Connection> gcnDatabase;

// Starts a connection afresh: clears gbShutdownInProgress.
void InitGlobals();

// gxlApp, for the procedures that talk to the host; throws Failure 91
// ("Object variable or With block variable not set") while it is empty, as
// using the unset object would.
host::Application& xlApp();

}  // namespace tavrello::MGlobals
