#pragma once

#include <sqlite3.h>

#include "platform/system/failure.h"

namespace tavrello::db {

// The one conversion of an SQLite result code into a Failure: the number by
// the table in db_failure.h, the description the library's message for `db`
// (or the code's generic text when there is no handle).
Failure sqliteFailure(int resultCode, sqlite3* db);

}  // namespace tavrello::db
