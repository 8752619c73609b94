#include "support/error_log.h"

#include "platform/system/special_folder.h"

namespace tavrello {

std::string errorLogPath() {
  const std::string base = sys::specialFolderPath(sys::kApplicationDataFolder);
  if (base.empty()) return {};
  std::string folder = base + "Tavrello";
  if (folder.back() != '/') folder += '/';
  return folder + "TavrelloErrors.log";
}

std::string formatErrorLogEntry(sys::Clock::time_point time, std::string_view library, std::string_view module,
                                std::string_view procedure, std::int32_t number, std::string_view message) {
  std::string entry = sys::formatLocalTime(time, "%m/%d/%y %H:%M:%S");
  entry += "  [";
  entry += library;
  entry += ']';
  entry += module;
  entry += '.';
  entry += procedure;
  entry += ", Error ";
  entry += std::to_string(number);
  entry += ": ";
  entry += message;
  entry += "\r\n\r\n";
  return entry;
}

}  // namespace tavrello
