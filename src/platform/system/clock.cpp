#include "platform/system/clock.h"

#include <ctime>
#include <mutex>

namespace tavrello::sys {

namespace {

std::mutex overrideMutex;
const ScopedClockOverride* active = nullptr;
Clock::time_point activeTime;

}  // namespace

Clock::time_point now() {
  std::lock_guard lock(overrideMutex);
  return active ? activeTime : Clock::now();
}

ScopedClockOverride::ScopedClockOverride(Clock::time_point fixed) : fixed_(fixed) {
  std::lock_guard lock(overrideMutex);
  previous_ = active;
  active = this;
  activeTime = fixed;
}

ScopedClockOverride::~ScopedClockOverride() {
  std::lock_guard lock(overrideMutex);
  active = previous_;
  if (previous_) activeTime = previous_->fixed_;
}

void ScopedClockOverride::set(Clock::time_point fixed) {
  std::lock_guard lock(overrideMutex);
  fixed_ = fixed;
  if (active == this) activeTime = fixed;
}

std::string formatLocalTime(Clock::time_point time, const char* pattern) {
  const std::time_t seconds = Clock::to_time_t(time);
  // localtime_r need not notice a changed TZ on its own.
  tzset();
  std::tm parts{};
  if (!localtime_r(&seconds, &parts)) return {};
  char buffer[128];
  const std::size_t length = std::strftime(buffer, sizeof buffer, pattern, &parts);
  return std::string(buffer, length);
}

}  // namespace tavrello::sys
