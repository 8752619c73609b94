#include "platform/system/library_file.h"

#include <filesystem>

#include <dlfcn.h>

namespace tavrello::sys {

std::string libraryFileStem(const void* address) {
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname) return {};
  return std::filesystem::path(info.dli_fname).stem().string();
}

}  // namespace tavrello::sys
