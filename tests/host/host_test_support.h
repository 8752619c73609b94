#pragma once

#include <string>
#include <vector>

#include "support_lib/test_env.h"

namespace tavrello::testing {

// The lines the recording add-in wrote to its log.
inline std::vector<std::string> logLines(const std::filesystem::path& log) {
  std::vector<std::string> lines;
  std::string text = readFile(log);
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

}  // namespace tavrello::testing
