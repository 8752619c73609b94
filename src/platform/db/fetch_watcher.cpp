#include "platform/db/fetch_watcher.h"

#include <atomic>

namespace tavrello::db {

namespace {
std::atomic<FetchWatcher*> installed{nullptr};
}

FetchWatcher* setFetchWatcher(FetchWatcher* watcher) { return installed.exchange(watcher); }

FetchWatcher* fetchWatcher() { return installed.load(); }

}  // namespace tavrello::db
