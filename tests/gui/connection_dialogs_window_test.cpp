// The connection manager and editor as the user sees them: built by the
// generic renderer through the Qt dialog service, offscreen.
#include <gtest/gtest.h>

#include <filesystem>

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QScrollBar>
#include <QTreeWidget>

#include "addin/m_globals.h"
#include "gui/form_window.h"
#include "gui/pictures.h"
#include "gui/qt_dialog_service.h"
#include "platform/forms/shared_form.h"
#include "profiles/form_connection.h"
#include "profiles/form_profiles.h"
#include "profiles/settings_format.h"
#include "qt_app.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using testing::qtApp;

const std::vector<ConnectionProfile> kSaved = {
    {"Sample", "Provider=SQLite;Data Source=/home/ann/.local/share/Tavrello/sample.db;"},
    {"Sales warehouse", "Driver={PostgreSQL Unicode};Server=db.example.org;Database=sales;Uid=ann;"},
    {"R&D", "DSN=research;"},
};

class ConnectionDialogsWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { qtApp(); }
  void SetUp() override {
    fs::create_directories(home.dataHome() / "Tavrello");
    testing::writeFile(settingsFile(), formatSettingsFile(kSaved));
  }
  void TearDown() override {
    forms::unloadAllSharedForms();
    MGlobals::ConnectionList = ConnectionList();
    testing::settle();
  }
  fs::path settingsFile() const { return home.dataHome() / "Tavrello" / "connectionsettings.xml"; }

  template <class W>
  static W* widget(gui::FormWindow* window, const char* name) {
    return qobject_cast<W*>(window->controlWidget(name));
  }
  static void saveShot(gui::FormWindow* window, const char* file) {
    testing::settle();
    const auto shot = testing::artefactDir() / file;
    EXPECT_TRUE(window->grab().save(QString::fromStdString(shot.string()))) << shot;
  }

  testing::FakeHome home;
  std::shared_ptr<gui::QtDialogService> service = std::make_shared<gui::QtDialogService>();
  forms::ScopedDialogService scoped{service};
};

TEST_F(ConnectionDialogsWindow, TheManagerListsTheNamesOnlyWithPicturesOnEveryButton) {
  const auto manager = forms::SharedForm<formProfiles>::instance();
  manager->Show(forms::ShowMode::Modeless);
  gui::FormWindow* window = service->window(*manager);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle().toStdString(), "Tavrello - Connections");
  auto* frame = widget<QGroupBox>(window, "FrameProfiles");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title(), "Profiles");
  auto* list = widget<QTreeWidget>(window, "ListConnections");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->topLevelItemCount(), 3);
  EXPECT_EQ(list->topLevelItem(1)->text(0), "Sales warehouse");
  EXPECT_TRUE(list->isColumnHidden(1)) << "the connection string is never shown";
  EXPECT_EQ(list->columnWidth(0), 91) << "68 points";
  EXPECT_TRUE(list->topLevelItem(0)->isSelected());
  for (const char* name : {"CommandButtonAdd", "CommandButtonEdit", "CommandButtonRemove", "CommandButtonOK"}) {
    auto* button = widget<QToolButton>(window, name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_FALSE(button->icon().isNull()) << name << " has a picture";
    EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon) << name;
    EXPECT_TRUE(button->isEnabled()) << name;
  }
  EXPECT_EQ(widget<QToolButton>(window, "CommandButtonRemove")->text(), "Remove");
  saveShot(window, "connection_manager.png");
  EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0) << "the hidden column takes no room";
}

TEST_F(ConnectionDialogsWindow, TheEditorShowsTheSelectedConnectionInItsFields) {
  const auto manager = forms::SharedForm<formProfiles>::instance();
  manager->ListConnections.ListIndex(1);
  manager->Mode(formProfiles::kEditMode);
  const auto editor = forms::SharedForm<formConnection>::instance();
  editor->Show(forms::ShowMode::Modeless);
  gui::FormWindow* window = service->window(*editor);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle().toStdString(), "Tavrello - Connection");
  auto* name = widget<QLineEdit>(window, "TextName");
  auto* connection = widget<QPlainTextEdit>(window, "TextConnectionString");
  ASSERT_NE(name, nullptr);
  ASSERT_NE(connection, nullptr);
  EXPECT_EQ(name->text(), "Sales warehouse");
  EXPECT_EQ(connection->toPlainText().toStdString(), kSaved[1].connectionString);
  for (const char* button : {"CommandButton1", "CommandOK", "CommandButtonCancel"}) {
    ASSERT_NE(widget<QToolButton>(window, button), nullptr) << button;
    EXPECT_FALSE(widget<QToolButton>(window, button)->icon().isNull()) << button << " has a picture";
  }
  EXPECT_EQ(widget<QToolButton>(window, "CommandButton1")->text(), "Edit");
  saveShot(window, "connection_editor.png");
}

TEST_F(ConnectionDialogsWindow, AddTypedIntoTheEditorsWidgetsIsSavedAndListed) {
  bool managerChecked = false;
  QTimer::singleShot(0, [&] {
    auto* managerWindow = qobject_cast<gui::FormWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(managerWindow, nullptr);
    // The editor runs modally over the manager while Add is being clicked.
    QTimer::singleShot(0, [] {
      auto* editorWindow = qobject_cast<gui::FormWindow*>(QApplication::activeModalWidget());
      ASSERT_NE(editorWindow, nullptr);
      auto* ok = widget<QToolButton>(editorWindow, "CommandOK");
      EXPECT_FALSE(ok->isEnabled());
      QTest::keyClicks(widget<QLineEdit>(editorWindow, "TextName"), "Typed");
      QTest::keyClicks(widget<QPlainTextEdit>(editorWindow, "TextConnectionString"), "DSN=typed;");
      EXPECT_TRUE(ok->isEnabled());
      ok->click();
    });
    widget<QToolButton>(managerWindow, "CommandButtonAdd")->click();
    auto* list = widget<QTreeWidget>(managerWindow, "ListConnections");
    EXPECT_EQ(list->topLevelItemCount(), 4);
    EXPECT_TRUE(list->topLevelItem(3)->isSelected());
    managerChecked = true;
    managerWindow->close();
  });
  forms::SharedForm<formProfiles>::instance()->Show(forms::ShowMode::Modal);
  EXPECT_TRUE(managerChecked);
  EXPECT_FALSE(forms::SharedForm<formProfiles>::exists()) << "the close box released it";
  EXPECT_NE(testing::readFile(settingsFile()).find("\t\t<name>Typed</name>\r\n\t\t<value>DSN=typed;</value>"),
            std::string::npos);
}

}  // namespace
}  // namespace tavrello
