#include "platform/host/xlsx/save_watcher.h"

#include <atomic>

namespace tavrello::host::xlsx {

namespace {
std::atomic<SaveWatcher*> installed{nullptr};
}

SaveWatcher* setSaveWatcher(SaveWatcher* watcher) { return installed.exchange(watcher); }

SaveWatcher* saveWatcher() { return installed.load(); }

}  // namespace tavrello::host::xlsx
