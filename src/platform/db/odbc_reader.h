#pragma once

#include <sql.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/column.h"
#include "platform/db/data_type.h"

namespace tavrello::db {

// How a driver lets us read long values (from SQLGetInfo at connect time).
struct OdbcReadMode {
  // SQLGetData on bound columns of a block of rows, after SQLSetPos positions
  // on a row of a static cursor: rows are fetched in blocks and a value too
  // long for its bound buffer is fetched again in full.
  bool blockGetData = false;
  // SQLGetData on bound columns: one row per fetch, long values fetched again.
  bool boundGetData = false;
  // Text travels as UTF-16 (SQL_C_WCHAR). Off for drivers without the wide
  // interface, whose text the driver manager would narrow byte by byte; their
  // text travels as UTF-8 (SQL_C_CHAR) instead.
  bool wideText = true;
};

// The result type of a column the driver describes with this SQL type and
// type name. The name catches drivers that report a boolean or a decimal as
// text ("bool", "decimal"). Unknown types arrive as text.
DataType odbcDataType(SQLSMALLINT sqlType, std::string_view typeName);

// Reads every row of the current result of an executed statement into
// columns. Fetches blocks of rows into column-wise bound arrays where the
// driver allows it and reads values too long for their buffers with
// SQLGetData. Throws the driver's failure, with `secrets` removed.
std::vector<Column> readOdbcResult(SQLHSTMT stmt, const OdbcReadMode& mode, const std::vector<std::string>& secrets);

}  // namespace tavrello::db
