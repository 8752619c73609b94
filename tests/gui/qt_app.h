#pragma once

#include <QApplication>

namespace tavrello::testing {

// The one QApplication of the test program, created on first use (tests run
// with QT_QPA_PLATFORM=offscreen).
inline QApplication& qtApp() {
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

// Runs what was posted, deferred deletions included.
inline void settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace tavrello::testing
