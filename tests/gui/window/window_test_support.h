#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "gui/command_bar_toolbar.h"
#include "gui/command_bar_toolbars.h"
#include "gui/host_session.h"
#include "gui/host_window.h"
#include "gui/qt_app.h"
#include "host/addin_registration.h"
#include "host/user_install.h"
#include "host/window_addins.h"
#include "platform/forms/shared_form.h"
#include "platform/host/workbook/workbook_application.h"
#include "support_lib/test_env.h"

namespace tavrello::testing {

// The settings file with these connections, as the add-in writes it.
inline std::string settingsFile(const std::vector<std::pair<std::string, std::string>>& connections) {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n";
  int n = 0;
  for (const auto& [name, value] : connections) {
    const std::string tag = "connection" + std::to_string(++n);
    text += "\t<" + tag + ">\r\n\t\t<name>" + name + "</name>\r\n\t\t<value>" + value + "</value>\r\n\t</" + tag +
            ">\r\n";
  }
  return text + "</connections>\r\n";
}

// What `tavrello register` does, in a fake home: the add-in registered from
// the build's Tavrello.so, the data folder with the sample connection.
inline void registerTavrelloForTest() {
  host::writeAddinRegistration(host::tavrelloRegistration(TAVRELLO_ADDIN_LIBRARY));
  host::installUserData();
}

// One run of the host with its window and the registered add-ins.
struct HostRun {
  std::shared_ptr<host::WorkbookApplication> app = host::WorkbookApplication::create();
  host::WindowAddins addins{app};
  gui::HostSession session{app, addins};

  explicit HostRun(bool show = true) {
    if (show) {
      session.window().show();
      settle();
    }
  }
  ~HostRun() {
    session.end();
    forms::unloadAllSharedForms();
    settle();
  }
  gui::HostWindow& window() { return session.window(); }
  gui::CommandBarToolbar* toolbar(const std::string& name) { return window().toolbars().toolbar(name); }
};

// Runs `action` on the first dialog that comes up modally while `trigger`
// runs (which blocks until the dialog closes). Fails the test when no dialog
// came up within a few seconds, and closes it so the test goes on.
inline void whileModal(const std::function<void()>& trigger, const std::function<void(QWidget*)>& action) {
  bool seen = false;
  QTimer poll;
  poll.setInterval(10);
  int ticks = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      if (++ticks > 300) poll.stop();
      return;
    }
    poll.stop();
    seen = true;
    action(modal);
    if (QApplication::activeModalWidget() == modal) {
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      else modal->close();
    }
  });
  poll.start();
  trigger();
  poll.stop();
  EXPECT_TRUE(seen) << "no modal window came up";
}

// The whole offscreen screen: the main window and the tool bars floating
// over it, as a person would see them.
inline QPixmap screenShot() {
  settle();
  return QGuiApplication::primaryScreen()->grabWindow(0);
}

}  // namespace tavrello::testing
