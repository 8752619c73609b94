#include "platform/host/workbook/grid.h"

#include <cctype>

namespace tavrello::host {

GridSize gridForVersion(std::string_view version) {
  std::size_t i = 0;
  while (i < version.size() && std::isspace(static_cast<unsigned char>(version[i]))) ++i;
  int major = 0;
  bool any = false;
  while (i < version.size() && std::isdigit(static_cast<unsigned char>(version[i])) && major < 1000) {
    major = major * 10 + (version[i] - '0');
    any = true;
    ++i;
  }
  if (any && major < 12) return {65536, 256};
  return {1048576, 16384};
}

}  // namespace tavrello::host
