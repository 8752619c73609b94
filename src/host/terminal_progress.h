#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include <signal.h>

#include "platform/db/fetch_watcher.h"
#include "platform/host/xlsx/save_watcher.h"

namespace tavrello::host {

// The progress of a shell command's statements and saves, and its Ctrl-C.
// While it lives it watches every statement and save of the process: when
// standard error is a terminal it keeps one line there up to date ("tavrello
// import: 123,456 rows read, 2.4 s, Ctrl-C cancels"), at most ten times a
// second, and wipes it when the work ends. Ctrl-C (SIGINT) does not end the
// process: it asks the running statement or save to stop, which then fails
// with 18 and leaves the workbook and its file as they were; the command
// sees cancelled() and exits with status 130 as a shell expects. Its
// destructor puts the earlier watchers and SIGINT handling back. One at a
// time.
class TerminalProgress final : public db::FetchWatcher, public xlsx::SaveWatcher {
 public:
  explicit TerminalProgress(std::string command);
  ~TerminalProgress() override;
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  // Ctrl-C was pressed since this was made.
  bool cancelled() const;

  void rowsFetched(std::int64_t rows) override;
  bool cancelRequested() override { return cancelled(); }
  void fetchEnded() override { wipe(); }
  void saveProgress(std::uint64_t bytes) override;

 private:
  using Clock = std::chrono::steady_clock;
  // Writes `what` as the terminal's progress line when a tenth of a second has passed.
  void show(const std::string& what);
  void wipe();

  std::string command_;
  bool terminal_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point shownAt_{};
  bool lineShown_ = false;
  std::uint64_t savedBytes_ = 0;
  db::FetchWatcher* previousFetch_;
  xlsx::SaveWatcher* previousSave_;
  struct sigaction previousInterrupt_ {};
};

}  // namespace tavrello::host
