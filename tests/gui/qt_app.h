#pragma once

#include <memory>

#include <QApplication>
#include <gtest/gtest.h>

namespace tavrello::testing {

// Ends the test program's QApplication after the last test, before the
// program's exit handlers run: Qt's input devices must go while the
// application still exists.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  static std::unique_ptr<QApplication>& application() {
    static std::unique_ptr<QApplication> app;
    return app;
  }
  void TearDown() override { application().reset(); }
};

// The one QApplication of the test program, created on first use (tests run
// with QT_QPA_PLATFORM=offscreen).
inline QApplication& qtApp() {
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  auto& app = QtApplicationEnvironment::application();
  if (!app) {
    app = std::make_unique<QApplication>(argc, argv);
    // Google Test owns the environments it is given.
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);
  }
  return *app;
}

// Runs what was posted, deferred deletions included.
inline void settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace tavrello::testing
