#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <sql.h>

namespace tavrello::db {

class FetchWatcher;

// Stops an ODBC statement in the server when the installed FetchWatcher
// asks: while the statement runs (SQLExecDirect and the fetches block this
// thread), a second thread asks the watcher every 50 ms and calls SQLCancel
// on the statement, which ODBC allows from another thread. Without a
// watcher it does nothing. The destructor ends the second thread.
class OdbcCancelWatch {
 public:
  explicit OdbcCancelWatch(SQLHSTMT stmt);
  ~OdbcCancelWatch();
  OdbcCancelWatch(const OdbcCancelWatch&) = delete;
  OdbcCancelWatch& operator=(const OdbcCancelWatch&) = delete;

  // SQLCancel was called: whatever the statement did, the user stopped it.
  bool cancelled() const { return cancelled_.load(); }

 private:
  void watch(FetchWatcher& watcher);

  SQLHSTMT stmt_;
  std::atomic<bool> cancelled_{false};
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

}  // namespace tavrello::db
