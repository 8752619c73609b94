#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace tavrello::host {

// Names of sheets, bars and query tables are compared the way the host's
// users expect: ASCII letters without regard to case, everything else as is.
inline bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace tavrello::host
