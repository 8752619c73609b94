#pragma once

#include <cstdint>
#include <functional>

#include "platform/system/failure.h"

namespace tavrello::testing {

// The number of the Failure that `call` throws, or 0 when it returns.
// Header-only; other exceptions pass through to fail the test.
inline std::int32_t failureNumber(const std::function<void()>& call) {
  try {
    call();
  } catch (const Failure& failure) {
    return failure.number();
  }
  return 0;
}

}  // namespace tavrello::testing
