#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/db/session.h"

namespace tavrello::db {

// Connects through unixODBC with SQLDriverConnect (no prompt) using this ODBC
// connection string. `secrets` are removed from every failure description.
std::unique_ptr<Session> openOdbcSession(const std::string& connectionString, std::vector<std::string> secrets);

}  // namespace tavrello::db
