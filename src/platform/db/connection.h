#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/recordset.h"
#include "platform/system/failure.h"

namespace tavrello::db {

class Session;

// A database connection as the object model shows it. Created closed.
//
// Open takes an ADO-style connection string (see connection_string.h):
// - `Provider=SQLite` with `Data Source=` or `Database=` FILE opens FILE with the
//   embedded SQLite library. The file must exist (an empty database is never
//   created by accident); `Mode=Read` opens it read-only.
// - `Provider=MSDASQL` (any version) goes to ODBC with that pair removed; its
//   OLE DB keys `Data Source`, `User ID`, `Password`, `Initial Catalog` become
//   DSN, UID, PWD, DATABASE, and `Extended Properties` is passed on as it is.
// - A string without `Provider` goes to ODBC unchanged (`DSN=`, `Driver=`),
//   connected with SQLDriverConnect and no prompt; the keys of a `FILEDSN=`
//   file are merged in first (see file_dsn.h).
// - Any other provider fails with 3706 naming it.
//
// Failures: the numbers of db_failure.h. No failure description ever holds the
// value of the string's PWD or Password key, even when a driver echoes it.
// Not thread-safe; one connection serves one thread.
class Connection {
 public:
  Connection();
  // Closes the connection when it is open.
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens the connection (State becomes 1) or throws. 3705 when already open.
  void Open(std::string_view connectionString);
  // Closes it (State becomes 0). 3704 when already closed. Result sets already
  // returned stay readable.
  void Close();
  // 1 open, 0 closed.
  long State() const { return session_ ? 1 : 0; }

  // 2 server-side (the initial value) or 3 client-side. Execute always reads the
  // whole result, which is the client-side behaviour, so RecordCount is exact
  // either way; the property is kept for the callers that set it. Values other
  // than 1, 2 and 3 throw Failure 3001.
  long CursorLocation() const { return cursorLocation_; }
  void CursorLocation(long location);

  // Runs the statement text (every statement in it, in order) and returns the
  // first result with columns, open and on its first row; a closed result set
  // when nothing returns columns (DDL, DML). 3709 when the connection is
  // closed; the failures of checkStatementText (statement_text.h) for a text
  // with a NUL or without a statement; the provider's failure when the
  // database rejects the statement.
  std::shared_ptr<Recordset> Execute(std::string_view commandText);

  // The string given to Open; empty while closed.
  const std::string& ConnectionString() const { return connectionString_; }

  // The provider behind the open connection, for the catalog. 3709 when closed.
  Session& session();

 private:
  // Runs `work`, removing the connection string's passwords from any failure.
  template <class Work>
  auto guarded(Work&& work);

  std::unique_ptr<Session> session_;
  std::string connectionString_;
  std::vector<std::string> secrets_;
  long cursorLocation_ = 2;
};

}  // namespace tavrello::db
