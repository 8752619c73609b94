#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace tavrello::sys {

// Reads the whole of a regular file. The file is opened without blocking
// (a FIFO or a device named by mistake, or by someone else, never stalls the
// caller) and refused unless it is a regular file, and unless it holds at most
// `maxBytes`. Throws Failure: 53 when it does not exist, 75 when it is not a
// regular file or is too large, the file system's number otherwise.
std::string readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace tavrello::sys
