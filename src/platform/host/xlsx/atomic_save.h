#pragma once

#include <filesystem>
#include <functional>

namespace tavrello::host::xlsx {

class OutputDevice;

// Runs `write` on a new file in the folder of `path` and, when it returns
// and the file is on disk, renames that file over `path`. When anything
// fails (the folder cannot take a file, the disk fills, `write` throws) the
// new file is removed, whatever was at `path` stays as it was, and a
// tavrello::Failure is thrown with the original number and a description
// that names `path`, says why, and says that the old file is unchanged. The
// new file gets the permissions of the file it replaces (0666 less the
// umask for a new one). When `path` is a symbolic link, the file it leads to
// is replaced and the link stays. The new file is hidden (.NAME.saving-XXXXXX)
// and locked while it is written; the ones a killed save left in the folder,
// which no live save holds, are removed first.
void saveAtomically(const std::filesystem::path& path, const std::function<void(OutputDevice&)>& write);

// For tests: while an object lives, saveAtomically stops after the new file
// is complete, just before the rename, as a crash there would: the new file
// is removed and the save fails.
class ScopedSaveInterruption {
 public:
  ScopedSaveInterruption();
  ~ScopedSaveInterruption();
  ScopedSaveInterruption(const ScopedSaveInterruption&) = delete;
  ScopedSaveInterruption& operator=(const ScopedSaveInterruption&) = delete;
};

}  // namespace tavrello::host::xlsx
