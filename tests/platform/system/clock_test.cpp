#include "platform/system/clock.h"

#include <gtest/gtest.h>

#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

TEST(Clock, OverridesNestAndTheRealClockComesBack) {
  const auto first = Clock::from_time_t(1000000000);
  const auto second = Clock::from_time_t(2000000000);
  {
    ScopedClockOverride outer(first);
    EXPECT_EQ(now(), first);
    {
      ScopedClockOverride inner(second);
      EXPECT_EQ(now(), second);
    }
    EXPECT_EQ(now(), first);
    outer.set(second);
    EXPECT_EQ(now(), second);
  }
  const auto real = now();
  EXPECT_LT(std::chrono::abs(real - Clock::now()), std::chrono::minutes(1));
}

TEST(Clock, FormatsInTheLocalTimeZone) {
  const auto time = Clock::from_time_t(1767323045);  // 2026-01-02 03:04:05 UTC
  testing::ScopedEnv utc("TZ", "UTC");
  EXPECT_EQ(formatLocalTime(time, "%m/%d/%y %H:%M:%S"), "01/02/26 03:04:05");
  testing::ScopedEnv tokyo("TZ", "JST-9");
  EXPECT_EQ(formatLocalTime(time, "%m/%d/%y %H:%M:%S"), "01/02/26 12:04:05");
}

}  // namespace
}  // namespace tavrello::sys
