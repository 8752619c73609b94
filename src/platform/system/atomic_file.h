#pragma once

#include <filesystem>
#include <string_view>

#include <sys/types.h>

namespace tavrello::sys {

// Replaces the file at `path` with `bytes`, so that a reader, or the file
// after a crash, shows either the old contents or the new ones whole: the
// bytes go to a temporary file in the same folder (named after the file with
// ".tmp-" and a unique ending), which gets `mode`, is flushed to disk and is
// then renamed over `path`. The temporary file is locked while it is written
// (see locked_temporary.h), and the ones a killed writer of the same file
// left are removed first. The folder must exist. Throws Failure (a file
// error number, the path in its description) when anything fails; the old
// file is then unchanged and the temporary file removed.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, mode_t mode = 0600);

// For tests: while an object lives, writeFileAtomically stops where a crash
// would hurt most, after the temporary file is complete and before the rename,
// leaves the temporary file behind and throws Failure.
class ScopedInterruptBeforeRename {
 public:
  ScopedInterruptBeforeRename();
  ~ScopedInterruptBeforeRename();
  ScopedInterruptBeforeRename(const ScopedInterruptBeforeRename&) = delete;
  ScopedInterruptBeforeRename& operator=(const ScopedInterruptBeforeRename&) = delete;
};

}  // namespace tavrello::sys
