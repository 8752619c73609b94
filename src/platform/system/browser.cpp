#include "platform/system/browser.h"

#include <cstdlib>
#include <string>

#include "platform/system/programs.h"

namespace tavrello::sys {

bool openUrlInBrowser(std::string_view url) {
  if (url.empty() || url.front() == '-') return false;
  const char* opener = std::getenv("TAVRELLO_URL_OPENER");
  return startProgram(opener && *opener ? opener : "xdg-open", {std::string(url)});
}

}  // namespace tavrello::sys
