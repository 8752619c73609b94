#pragma once

#include <memory>
#include <string>

#include "platform/db/session.h"

namespace tavrello::db {

// Opens an existing SQLite database file with the embedded library, read-only
// when asked. A missing file fails (kProviderError) instead of being created;
// ":memory:" opens a private in-memory database.
std::unique_ptr<Session> openSqliteSession(const std::string& path, bool readOnly);

}  // namespace tavrello::db
