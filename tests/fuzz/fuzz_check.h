#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// A property a fuzz target found broken: the message goes to stderr and the
// process aborts, so that libFuzzer saves the input and the replay test fails.
#define FUZZ_CHECK(condition, message)                                                  \
  do {                                                                                  \
    if (!(condition)) ::tavrello::fuzz::propertyBroken(#condition, message, __FILE__, __LINE__); \
  } while (false)

namespace tavrello::fuzz {

[[noreturn]] inline void propertyBroken(const char* condition, std::string_view message, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %.*s (%s)\n", file, line, static_cast<int>(message.size()),
               message.data(), condition);
  std::abort();
}

}  // namespace tavrello::fuzz
