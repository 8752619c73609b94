#pragma once

#include <sql.h>

#include <string>
#include <vector>

#include "platform/system/failure.h"

namespace tavrello::db {

// The one conversion of ODBC diagnostics into a Failure. Every diagnostic
// record of `handle` is read and joined, one per line, as
// "[SQLSTATE] message (native N)"; the number follows the first record's
// SQLSTATE class (see db_failure.h); every secret is removed from the text.
// `returnCode` is what the failing call returned, reported when the driver
// left no record.
Failure odbcFailure(SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN returnCode,
                    const std::vector<std::string>& secrets);

}  // namespace tavrello::db
