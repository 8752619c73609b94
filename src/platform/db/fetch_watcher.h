#pragma once

#include <cstdint>

namespace tavrello::db {

// Watches the statements of this process while they run: how many rows
// have been read, and whether the user asked to stop. The host installs one
// (a progress bar on a terminal); the providers call it on the thread that
// runs the statement, except cancelRequested(), which a provider may also
// call from a thread of its own while the statement blocks in a server
// (ODBC): it must be thread-safe (an atomic flag, set by a signal handler or
// a button). A statement asked to stop is stopped in the database
// (sqlite3_progress_handler, SQLCancel) and fails with
// Failure::userCancel() (18).
class FetchWatcher {
 public:
  virtual ~FetchWatcher() = default;
  // Rows read so far by the running statement; counts grow within one
  // statement and start again with the next.
  virtual void rowsFetched(std::int64_t rows) = 0;
  virtual bool cancelRequested() = 0;
  // The statement ended, read whole or not.
  virtual void fetchEnded() = 0;
};

// Installs `watcher` for every statement from now on (nullptr for none, as
// at start) and returns the one it replaces. The host installs it before any
// statement runs and removes it after the last.
FetchWatcher* setFetchWatcher(FetchWatcher* watcher);
FetchWatcher* fetchWatcher();

}  // namespace tavrello::db
