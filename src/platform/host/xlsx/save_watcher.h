#pragma once

#include <cstdint>

namespace tavrello::host::xlsx {

// Watches the workbook saves of this process: the bytes of the file's parts
// written so far, and whether the user asked to stop. The host installs one
// (a progress bar on a terminal); the writer calls it on the saving thread.
// A save asked to stop fails with Failure::userCancel() (18) and, being
// atomic, leaves any earlier file of that name as it was.
class SaveWatcher {
 public:
  virtual ~SaveWatcher() = default;
  // `bytes` more of the parts' contents (before compression) were written.
  virtual void saveProgress(std::uint64_t bytes) = 0;
  virtual bool cancelRequested() = 0;
};

// Installs `watcher` for every save from now on (nullptr for none, as at
// start) and returns the one it replaces.
SaveWatcher* setSaveWatcher(SaveWatcher* watcher);
SaveWatcher* saveWatcher();

}  // namespace tavrello::host::xlsx
