#pragma once

#include <string>

#include "platform/db/connection_string.h"
#include "platform/system/failure.h"

namespace tavrello::db {

// An ODBC connection string with its FILEDSN= pair replaced by the keys of the
// file's [ODBC] section, as the driver manager does for its narrow calls (its
// wide SQLDriverConnectW ignores FILEDSN). Keys written in the connection
// string win over the file's; ".dsn" is added to a name without it. A string
// without FILEDSN comes back unchanged. A file that cannot be read throws the
// file system's Failure naming it; a file without an [ODBC] section throws
// kProviderError saying so.
std::string expandFileDsn(const ConnectionString& connectionString);

}  // namespace tavrello::db
