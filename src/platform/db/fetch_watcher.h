#pragma once

#include <cstdint>
#include <functional>

namespace tavrello::db {

// Watches the statements of this process while they run: how many rows
// have been read, and whether the user asked to stop. The host installs one
// (a progress bar on a terminal, a progress box in the window); the
// providers call it on the thread that runs the statement, except
// cancelRequested(), which a provider may also call from a thread of its own
// while the statement blocks in a server (ODBC): it must be thread-safe (an
// atomic flag, set by a signal handler or a button). A statement asked to
// stop is stopped in the database (sqlite3_progress_handler, SQLCancel) and
// fails with Failure::userCancel() (18).
class FetchWatcher {
 public:
  virtual ~FetchWatcher() = default;
  // Rows read so far by the running statement; counts grow within one
  // statement and start again with the next.
  virtual void rowsFetched(std::int64_t rows) = 0;
  virtual bool cancelRequested() = 0;
  // The statement ended, read whole or not.
  virtual void fetchEnded() = 0;
  // Runs `statement` (one Execute: its statements and their fetches) and
  // returns when it has ended, passing on what it throws. A window runs it
  // on a thread of its own and keeps repainting meanwhile; its caller sees
  // a synchronous call either way.
  virtual void runStatement(const std::function<void()>& statement) { statement(); }
};

// Installs `watcher` for every statement from now on (nullptr for none, as
// at start) and returns the one it replaces. The host installs it before any
// statement runs and removes it after the last.
FetchWatcher* setFetchWatcher(FetchWatcher* watcher);
FetchWatcher* fetchWatcher();

// Tells the installed watcher of the rows one statement reads, every few
// thousand of them, and of the statement's end.
class RowReport {
 public:
  RowReport() : watcher_(fetchWatcher()) {}
  ~RowReport() {
    if (watcher_) watcher_->fetchEnded();
  }
  RowReport(const RowReport&) = delete;
  RowReport& operator=(const RowReport&) = delete;

  FetchWatcher* watcher() const { return watcher_; }
  void rowsRead(std::int64_t more) {
    if (!watcher_) return;
    const std::int64_t before = rows_;
    rows_ += more;
    if (rows_ / kRowsPerReport != before / kRowsPerReport) watcher_->rowsFetched(rows_);
  }

 private:
  static constexpr std::int64_t kRowsPerReport = 4096;
  FetchWatcher* watcher_;
  std::int64_t rows_ = 0;
};

}  // namespace tavrello::db
