#pragma once

#include <functional>
#include <string>

namespace tavrello::bench {

// One timed run: wall seconds and the peak resident set of the process that
// did the work, or why it failed.
struct Measurement {
  bool ok = false;
  double seconds = 0;
  long peakRssKiB = 0;
  std::string failure;
};

// What a child process sent back, how it ended and its peak resident set.
struct ChildReport {
  std::string text;
  int status = 0;
  long peakRssKiB = 0;
};

// A field of this process's /proc/self/status in KiB ("VmRSS" resident now,
// "VmHWM" the peak so far); 0 when it is not there.
long statusKiB(const char* field);

// Runs `work` in a forked child, so that its memory is its own, and returns the
// text it produced; a Failure or other exception it throws comes back as
// "failed <text>".
ChildReport runInChild(const std::function<std::string()>& work);

// Runs `work` in a forked child, so that its peak resident set is its own and
// not the benchmark's. The child times `work` alone; a Failure or other
// exception it throws comes back as the measurement's failure text.
Measurement measureInChild(const std::function<void()>& work);

// Runs a shell command, timing it from start to exit.
Measurement measureCommand(const std::string& shellCommand);

// The fastest of `runs` measurements (peak RSS the largest seen), or the first failure.
Measurement bestOf(int runs, const std::function<Measurement()>& measure);

// Quotes text for a POSIX shell.
std::string shellQuote(const std::string& text);

}  // namespace tavrello::bench
