#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include <QObject>
#include <QTimer>

#include "platform/db/fetch_watcher.h"
#include "platform/host/xlsx/save_watcher.h"

class QWidget;

namespace tavrello::gui {

class ProgressBox;

// The progress of the window's long operations, and their Cancel. While it
// lives it watches every statement and save of the process.
//
// A statement runs on a thread of its own while the window's thread waits
// in an event loop, so the windows keep repainting; a save stays on the
// window's thread, as it reads the cells the window paints, and lets the
// windows repaint between its blocks. Meanwhile the user's input to the
// windows is held back, so that nothing else starts.
//
// One operation lasts from its first statement or save until the window's
// thread is back in an event loop that is not the operation's own: one
// Paste (its statement, the copy, a save) is one operation. One that takes
// longer than half a second shows the progress box with the rows read or
// the bytes written, the time, and Cancel. Cancel stops the running
// statement in the database, or the save, which then fail with 18; and any
// statement or save the same operation would still start.
class WindowProgress final : public QObject, public db::FetchWatcher, public host::xlsx::SaveWatcher {
 public:
  static constexpr std::chrono::milliseconds kShowAfter{500};

  // The box stands over `window`, which outlives this.
  explicit WindowProgress(QWidget* window);
  ~WindowProgress() override;
  WindowProgress(const WindowProgress&) = delete;
  WindowProgress& operator=(const WindowProgress&) = delete;

  void rowsFetched(std::int64_t rows) override;
  bool cancelRequested() override;
  void fetchEnded() override {}
  void runStatement(const std::function<void()>& statement) override;
  void saveProgress(std::uint64_t bytes) override;

  // The progress box while it is shown, or nullptr.
  ProgressBox* shownBox() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using Clock = std::chrono::steady_clock;
  class Busy;

  bool onWindowThread() const;
  bool inBox(QObject* object) const;
  void begin();
  void tick();
  void finish();

  QWidget* window_;
  std::unique_ptr<ProgressBox> box_;
  // Updates the box while the operation runs.
  QTimer ticker_;
  // Ends the operation once the thread is back in somebody else's loop.
  QTimer ender_;
  std::atomic<bool> cancel_{false};
  std::atomic<std::int64_t> rows_{0};
  std::uint64_t savedBytes_ = 0;
  bool saving_ = false;
  bool active_ = false;
  int busy_ = 0;
  Clock::time_point start_{};
  Clock::time_point pumpedAt_{};
  db::FetchWatcher* previousFetch_;
  host::xlsx::SaveWatcher* previousSave_;
};

}  // namespace tavrello::gui
