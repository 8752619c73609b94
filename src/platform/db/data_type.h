#pragma once

#include <cstdint>
#include <string_view>

namespace tavrello::db {

// The kind of values a result column holds. Every provider maps its native
// types onto these; a column has one type for all its rows, and a NULL is a
// per-row flag, not a type (Null is the type of a column with nothing but
// NULLs and no declared type, such as `SELECT NULL`).
enum class DataType : std::uint8_t {
  Null,
  Integer,   // 64-bit signed
  Double,    // IEEE double
  Decimal,   // exact decimal: its text is kept, with a double for arithmetic
  Text,      // UTF-8
  Boolean,
  Date,      // day serial, whole days
  Time,      // fraction of a day
  DateTime,  // day serial with the time as its fraction
  Binary,    // raw bytes
};

// Lower-case name for catalogs, diagnostics and tests ("integer", "date-time").
std::string_view typeName(DataType type);

// The number the original data layer gave this kind of field (its DataTypeEnum:
// 20 big integer, 5 double, 131 numeric, 202 variable-length text, 11 boolean,
// 133 date, 134 time, 135 timestamp, 204 variable-length binary, 0 empty). The
// host's query tables store it with the column's description.
int adoTypeNumber(DataType type);

}  // namespace tavrello::db
