#pragma once

#include <memory>

#include "platform/host/application.h"

// The add-in's global state: one instance per loaded add-in, all empty at load.
namespace tavrello::MGlobals {

// The host application object, kept from the connection until the add-in is
// unloaded; empty before the first connection.
extern std::shared_ptr<host::Application> gxlApp;

}  // namespace tavrello::MGlobals
