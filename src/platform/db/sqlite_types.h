#pragma once

#include <string_view>

#include "platform/db/data_type.h"

namespace tavrello::db {

// The result type for a column declared with this SQLite type name. Follows
// SQLite's own affinity rules (INT, CHAR/CLOB/TEXT, BLOB, REAL/FLOA/DOUB) and
// adds the names SQLite leaves to the application: BOOL, DATE, TIME,
// DATETIME/TIMESTAMP, and DECIMAL/NUMERIC as exact decimals. An empty or
// unknown name gives Null: the values decide (see Column).
DataType sqliteDeclaredType(std::string_view declared);

}  // namespace tavrello::db
