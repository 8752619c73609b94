#include "platform/system/special_folder.h"

#include <cstdlib>

namespace tavrello::sys {

std::string specialFolderPath(int folderId) {
  if (folderId != kApplicationDataFolder) return {};
  std::string path;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') {
    path = data;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    path = home;
    if (path.back() != '/') path += '/';
    path += ".local/share";
  } else {
    return {};
  }
  if (path.back() != '/') path += '/';
  return path;
}

}  // namespace tavrello::sys
