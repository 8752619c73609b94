#pragma once

#include <chrono>
#include <string>

namespace tavrello::sys {

using Clock = std::chrono::system_clock;

// The current time: the system clock, unless a test has fixed it with a
// ScopedClockOverride. Time stamps that the system writes (the error log, the
// names of damaged-file copies) are taken from here.
Clock::time_point now();

// Fixes what now() returns for the lifetime of the object; overrides nest, and
// the previous one comes back when the inner one goes. For tests.
class ScopedClockOverride {
 public:
  explicit ScopedClockOverride(Clock::time_point fixed);
  ~ScopedClockOverride();
  ScopedClockOverride(const ScopedClockOverride&) = delete;
  ScopedClockOverride& operator=(const ScopedClockOverride&) = delete;

  // Moves the fixed time.
  void set(Clock::time_point fixed);

 private:
  const ScopedClockOverride* previous_;
  Clock::time_point fixed_;
};

// `time` in the local time zone (TZ), formatted with a strftime pattern.
std::string formatLocalTime(Clock::time_point time, const char* pattern);

}  // namespace tavrello::sys
