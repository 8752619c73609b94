#include "platform/db/odbc_cancel_watch.h"

#include <chrono>

#include <sqlext.h>

#include "platform/db/fetch_watcher.h"

namespace tavrello::db {

OdbcCancelWatch::OdbcCancelWatch(SQLHSTMT stmt) : stmt_(stmt) {
  if (FetchWatcher* watcher = fetchWatcher()) thread_ = std::thread([this, watcher] { watch(*watcher); });
}

OdbcCancelWatch::~OdbcCancelWatch() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  done_.notify_one();
  thread_.join();
}

void OdbcCancelWatch::watch(FetchWatcher& watcher) {
  std::unique_lock lock(mutex_);
  while (!done_.wait_for(lock, std::chrono::milliseconds(50), [this] { return finished_; })) {
    if (watcher.cancelRequested()) {
      // Marked first: the statement may fail the moment SQLCancel reaches
      // the server, and its thread must then already see why.
      cancelled_.store(true);
      SQLCancel(stmt_);
      return;
    }
  }
}

}  // namespace tavrello::db
