#pragma once

#include <string>

namespace tavrello::sys {

// The file name, without its last extension, of the shared library (or the
// program) that holds the code at `address`: "Tavrello" for any function of
// Tavrello.so. The empty text when the address belongs to no loaded file.
std::string libraryFileStem(const void* address);

}  // namespace tavrello::sys
