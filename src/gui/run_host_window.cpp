#include "gui/run_host_window.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>

#include "gui/host_session.h"
#include "gui/host_window.h"

namespace tavrello::gui {
namespace {

bool environmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

QtMessageHandler defaultHandler = nullptr;

// Qt ends the program when it cannot reach the display it was given; the
// user then learns, besides Qt's own words, how to go on without one.
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg)
    std::fprintf(stderr,
                 "tavrello: the workbook window cannot be shown on this display (see below).\n"
                 "Run \"tavrello --headless\" to work without a window.\n");
  if (defaultHandler) defaultHandler(type, context, message);
}

}  // namespace

bool displayAvailable() {
  return environmentSet("QT_QPA_PLATFORM") || environmentSet("DISPLAY") || environmentSet("WAYLAND_DISPLAY");
}

const char* noDisplayMessage() {
  return "tavrello: there is no display to show the workbook window on (neither DISPLAY nor WAYLAND_DISPLAY is "
         "set).\nRun \"tavrello --headless\" to work without a window; \"tavrello --help\" lists what it can do.";
}

int runHostWindow(int& argc, char** argv, const std::shared_ptr<host::WorkbookApplication>& app,
                  AddinSwitch& addins, const std::vector<std::string>& files) {
  if (!displayAvailable()) {
    std::fprintf(stderr, "%s\n", noDisplayMessage());
    return 2;
  }
  defaultHandler = qInstallMessageHandler(startupMessages);
  QApplication qt(argc, argv);
  qInstallMessageHandler(defaultHandler);
  QApplication::setApplicationName(QStringLiteral("Tavrello Workbook Host"));
  QApplication::setOrganizationName(QStringLiteral("Tavrello"));
  // Desktops match the window to the menu entry tavrello.desktop, and so
  // to its icon.
  QApplication::setDesktopFileName(QStringLiteral("tavrello"));

  HostSession session(app, addins);
  session.window().show();
  session.window().openWorkbookFiles(files);
  // The window's close event has asked about unsaved work; the add-ins are
  // disconnected while Qt still runs, as their shut-down may show boxes.
  const int result = QApplication::exec();
  session.end();
  return result;
}

}  // namespace tavrello::gui

extern "C" int tavrello_run_host_window(const tavrello::gui::HostWindowStart* start) {
  return tavrello::gui::runHostWindow(*start->argc, start->argv, *start->app, *start->addins, *start->files);
}
