#include "platform/db/sqlite_failure.h"

#include <string>

#include "platform/db/db_failure.h"

namespace tavrello::db {

Failure sqliteFailure(int resultCode, sqlite3* db) {
  std::int32_t number = failure_number::kProviderError;
  switch (resultCode & 0xff) {
    case SQLITE_ERROR:
    case SQLITE_MISMATCH:
    case SQLITE_RANGE:
    case SQLITE_TOOBIG: number = failure_number::kCommandError; break;
    case SQLITE_CONSTRAINT: number = failure_number::kIntegrity; break;
    case SQLITE_AUTH:
    case SQLITE_PERM: number = failure_number::kAuthFailed; break;
    case SQLITE_READONLY: number = failure_number::kReadOnly; break;
    default: break;
  }
  std::string text = db && sqlite3_errcode(db) == resultCode ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
  return {number, std::move(text)};
}

}  // namespace tavrello::db
