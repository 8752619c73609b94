#pragma once

namespace tavrello::testing {

// The part of a day a time of day is, worked out apart from the host's code.
inline double dayFraction(int hour, int minute, int second) {
  return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

}  // namespace tavrello::testing
