#pragma once

#include <string>

#include "platform/db/connection_string.h"

namespace tavrello::db {

// Where a connection string leads: the embedded SQLite library with a file,
// or ODBC with the string to hand to SQLDriverConnect.
struct ProviderRoute {
  enum class Kind { Sqlite, Odbc };
  Kind kind;
  std::string target;     // the database file, or the ODBC connection string
  bool readOnly = false;  // SQLite only: Mode=Read
};

// Decides the route by the Provider key (see Connection::Open for the rules).
// An OLE DB provider with no counterpart here throws Failure 3706 naming it.
ProviderRoute routeConnectionString(const ConnectionString& connectionString);

}  // namespace tavrello::db
