#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/system/file_descriptor.h"

namespace tavrello::sys {

// Opens `path` for reading, but only when it is a regular file (a link to
// one counts). The open itself never waits: a FIFO would wait for a writer
// and a device for its hardware, so the kind is checked on the open
// descriptor. Throws Failure: 53 when it does not exist, 75 when it is a
// folder, FIFO, device or socket (the description names the kind), the file
// system's number otherwise.
FileDescriptor openRegularFile(const std::filesystem::path& path);

// Reads the whole of a regular file, opened as openRegularFile opens it (a
// FIFO or a device named by mistake, or by someone else, never stalls the
// caller), and refused unless it holds at most `maxBytes`. Throws Failure: 53
// when it does not exist, 75 when it is not a regular file or is too large,
// the file system's number otherwise.
std::string readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace tavrello::sys
