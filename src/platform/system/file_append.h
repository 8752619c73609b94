#pragma once

#include <filesystem>
#include <string_view>

namespace tavrello::sys {

// Appends `bytes` to the end of the file with one write, so that entries of
// two processes do not interleave. Creates the file (permissions 0600) when
// it is missing, never its folder. Throws Failure (a file error number, the
// path in the description) when the file cannot be opened or written.
void appendToFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tavrello::sys
