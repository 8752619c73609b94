#include "host/terminal_progress.h"

#include <atomic>
#include <cstdio>

#include <unistd.h>

namespace tavrello::host {

namespace {

// Set by the SIGINT handler; lock-free, so safe to set there.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void onInterrupt(int) { interrupted.store(true); }

std::string grouped(std::uint64_t n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

}  // namespace

TerminalProgress::TerminalProgress(std::string command)
    : command_(std::move(command)), terminal_(isatty(STDERR_FILENO) == 1),
      previousFetch_(db::setFetchWatcher(this)), previousSave_(xlsx::setSaveWatcher(this)) {
  interrupted.store(false);
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInterrupt_);
}

TerminalProgress::~TerminalProgress() {
  wipe();
  sigaction(SIGINT, &previousInterrupt_, nullptr);
  xlsx::setSaveWatcher(previousSave_);
  db::setFetchWatcher(previousFetch_);
}

bool TerminalProgress::cancelled() const { return interrupted.load(); }

void TerminalProgress::rowsFetched(std::int64_t rows) {
  show(grouped(static_cast<std::uint64_t>(rows)) + " rows read");
}

void TerminalProgress::saveProgress(std::uint64_t bytes) {
  savedBytes_ += bytes;
  show("saving, " + grouped(savedBytes_ / 1000000) + " MB written");
}

void TerminalProgress::show(const std::string& what) {
  if (!terminal_) return;
  const Clock::time_point now = Clock::now();
  if (lineShown_ && now - shownAt_ < std::chrono::milliseconds(100)) return;
  shownAt_ = now;
  lineShown_ = true;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  // \r returns to the line's start, \033[K clears what a longer line left.
  std::fprintf(stderr, "\r%s: %s, %.1f s, Ctrl-C cancels\033[K", command_.c_str(), what.c_str(), seconds);
  std::fflush(stderr);
}

void TerminalProgress::wipe() {
  if (!lineShown_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  lineShown_ = false;
}

}  // namespace tavrello::host
