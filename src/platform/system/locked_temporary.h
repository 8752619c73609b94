#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/system/file_descriptor.h"

namespace tavrello::sys {

// Temporary files that a killed writer cannot leave behind for good. Each is
// created under an exclusive lock (flock) that lasts as long as its
// descriptor is open, and the kernel drops the lock of a process that dies.
// A temporary file whose lock can be taken therefore belongs to no live
// writer, and the next writer in the same folder removes it.

// A new temporary file: `file` is open for writing; `lock` holds the lock and
// must stay open until the file has its final name, also when `file` is
// closed first to see the close's result.
struct LockedTemporary {
  std::string path;
  FileDescriptor file;
  FileDescriptor lock;
};

// Creates a new file from `pattern`, whose last six characters are XXXXXX and
// are replaced as mkostemp replaces them. Throws Failure from errno.
LockedTemporary createLockedTemporary(const std::string& pattern);

// True when `name` is `stem` followed by the six letters or digits that
// createLockedTemporary puts in place of XXXXXX.
bool isTemporaryName(std::string_view name, std::string_view stem);

// Removes the regular files in `folder` whose names `isTemporary` accepts and
// whose lock no process holds. Never fails: a file that cannot be checked or
// removed is left.
void removeStaleTemporaries(const std::filesystem::path& folder,
                            const std::function<bool(std::string_view name)>& isTemporary);

}  // namespace tavrello::sys
