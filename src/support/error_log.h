#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system/clock.h"

// The error log, "TavrelloErrors.log" in the data folder: entries appended by
// the error reporter, never read, truncated or rotated by Tavrello. Users send
// it to support, so its entry format is kept exactly.
namespace tavrello {

// The log file's path: the data folder (the application-data folder followed
// by "Tavrello/") and "TavrelloErrors.log". The empty text when there is no
// application-data folder; the log is then not written, rather than into
// whatever folder happens to be current.
std::string errorLogPath();

// One entry: the time stamp "mm/dd/yy hh:mm:ss" in local time, two blanks,
// "[" library "]" module "." procedure ", Error " number ": " message, CR LF,
// then an empty line (CR LF).
std::string formatErrorLogEntry(sys::Clock::time_point time, std::string_view library, std::string_view module,
                                std::string_view procedure, std::int32_t number, std::string_view message);

}  // namespace tavrello
