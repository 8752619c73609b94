#pragma once

#include <cstdint>
#include <string>

#include "platform/system/failure.h"

namespace tavrello::db {

// Failure numbers of the database layer. The layer's own misuse failures keep
// the original data layer's positive numbers and texts, which error logs and
// the add-in's callers already know. Failures that come from a database engine
// or driver carry negative numbers in the style of that layer's HRESULTs,
// chosen from the engine's result code or the ODBC SQLSTATE class:
//
//   kProviderError  -2147467259  anything not listed below (cannot open,
//                                connection lost, I/O, busy)
//   kCommandError   -2147217900  the statement was rejected: syntax, unknown
//                                table or column, type errors (SQLSTATE 42,
//                                37, 22 and 07; SQLite's generic error)
//   kIntegrity      -2147217873  a constraint was violated (SQLSTATE 23)
//   kAuthFailed     -2147217843  login refused (SQLSTATE 28; SQLite auth)
//   kTimeout        -2147217871  a timeout expired (SQLSTATE HYT00, HYT01)
//   kReadOnly       -2147217911  writing to a database opened read-only
//   kNoCommand      -2147217908  the command text holds no statement
namespace failure_number {
inline constexpr std::int32_t kArguments = 3001;
inline constexpr std::int32_t kNoCurrentRecord = 3021;
inline constexpr std::int32_t kItemNotFound = 3265;
inline constexpr std::int32_t kObjectClosed = 3704;
inline constexpr std::int32_t kObjectOpen = 3705;
inline constexpr std::int32_t kProviderNotFound = 3706;
inline constexpr std::int32_t kInvalidConnection = 3709;

inline constexpr std::int32_t kProviderError = -2147467259;
inline constexpr std::int32_t kCommandError = -2147217900;
inline constexpr std::int32_t kIntegrity = -2147217873;
inline constexpr std::int32_t kAuthFailed = -2147217843;
inline constexpr std::int32_t kTimeout = -2147217871;
inline constexpr std::int32_t kReadOnly = -2147217911;
inline constexpr std::int32_t kNoCommand = -2147217908;
}  // namespace failure_number

// 3704 "Operation is not allowed when the object is closed."
Failure objectClosed();
// 3705 "Operation is not allowed when the object is open."
Failure objectOpen();
// 3709: a closed connection asked to run a statement or read its catalog.
Failure invalidConnection();
// 3021: a field value read, or a move made, with no current row.
Failure noCurrentRecord();
// 3265: a field asked for by an index or a name that the result set lacks.
Failure itemNotFound();
// 3001 with the standard text, followed by `detail` when given.
Failure badArguments(const std::string& detail = {});

}  // namespace tavrello::db
