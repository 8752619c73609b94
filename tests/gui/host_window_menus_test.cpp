// The host window's menus: File > New, Data > Refresh All over the sample
// database, and what Tools > Add-ins offers without a loader.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>

#include "gui/host_window.h"
#include "gui/sheet_tabs.h"
#include "platform/db/sample_database.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/host/query_tables.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/workbook_application.h"
#include "qt_app.h"
#include "support_lib/test_env.h"

namespace tavrello::gui {
namespace {

class HostWindowMenus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  void SetUp() override {
    app = host::WorkbookApplication::create();
    app->addBook();
    window = std::make_unique<HostWindow>(app, nullptr);
  }

  QAction* menuAction(const char* menuName, const QString& text) {
    auto* menu = window->menuBar()->findChild<QMenu*>(QString::fromLatin1(menuName));
    if (!menu) return nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text().remove(QLatin1Char('&')) == text) return action;
    }
    return nullptr;
  }

  std::shared_ptr<host::WorkbookApplication> app;
  std::unique_ptr<HostWindow> window;
  std::shared_ptr<forms::ScriptedDialogService> dialogs = std::make_shared<forms::ScriptedDialogService>();
  forms::ScopedDialogService scoped{dialogs};
};

TEST_F(HostWindowMenus, TheMenusHoldTheirCommands) {
  for (const char* text : {"New", "Open...", "Save", "Save As...", "Close", "Exit"})
    EXPECT_NE(menuAction("menuFile", QString::fromLatin1(text)), nullptr) << text;
  EXPECT_NE(menuAction("menuData", QStringLiteral("Refresh All")), nullptr);
  QAction* addins = menuAction("menuTools", QStringLiteral("Add-ins..."));
  ASSERT_NE(addins, nullptr);
  EXPECT_FALSE(addins->isEnabled()) << "no add-in loader was given";
}

TEST_F(HostWindowMenus, NewOpensAnotherWorkbookAndShowsIt) {
  menuAction("menuFile", QStringLiteral("New"))->trigger();
  ASSERT_EQ(app->books().size(), 2u);
  EXPECT_EQ(app->ActiveWorkbook()->Name(), "Book2");
  EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Book2 - ")));
}

TEST_F(HostWindowMenus, CloseOfTheLastWorkbookLeavesAnEmptyWindow) {
  menuAction("menuFile", QStringLiteral("Close"))->trigger();
  EXPECT_TRUE(app->books().empty());
  EXPECT_EQ(window->windowTitle().toStdString(), host::kHostTitle);
  EXPECT_EQ(window->sheetTabs().findChild<QTabBar*>()->count(), 0);
  menuAction("menuFile", QStringLiteral("New"))->trigger();
  EXPECT_EQ(app->books().size(), 1u);
}

TEST_F(HostWindowMenus, RefreshAllRefreshesEveryQueryTableAndReportsTheOnesThatFail) {
  testing::TempDir dir;
  const auto database = dir / "sample.db";
  db::createSampleDatabase(database);
  auto book = app->ActiveWorkbook();
  auto first = app->ActiveSheet();
  auto second = book->Worksheets()->Add();
  first->QueryTables()->Add(std::string("OLEDB;Provider=SQLite;Data Source=" + database.string()), first->Range("A1"),
                            std::string("SELECT id, name FROM customers WHERE id <= 3 ORDER BY id"));
  second->QueryTables()->Add(std::string("OLEDB;Provider=SQLite;Data Source=" + (dir / "gone.db").string()),
                             second->Range("A1"), std::string("SELECT 1"));
  second->QueryTables()->Add(std::string("OLEDB;Provider=SQLite;Data Source=" + database.string()),
                             second->Range("D1"), std::string("SELECT count(*) AS n FROM products"));

  menuAction("menuData", QStringLiteral("Refresh All"))->trigger();

  EXPECT_EQ(first->Range("A1")->Value(), host::CellValue(std::string("id")));
  EXPECT_EQ(first->Range("A4")->Value(), host::CellValue(3.0));
  EXPECT_EQ(second->Range("D2")->Value(), host::CellValue(200.0)) << "the table after the failing one";
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_EQ(dialogs->boxes()[0].icon, forms::MsgIcon::Critical);
  EXPECT_NE(dialogs->boxes()[0].text.find("ExternalData_1 on Sheet2"), std::string::npos) << dialogs->boxes()[0].text;
}

TEST_F(HostWindowMenus, RefreshAllTellsTheValuesItHadToChangeInOneBox) {
  testing::TempDir dir;
  const auto database = dir / "sample.db";
  db::createSampleDatabase(database);
  auto sheet = app->ActiveSheet();
  auto table = sheet->QueryTables()->Add(std::string("OLEDB;Provider=SQLite;Data Source=" + database.string()),
                                         sheet->Range("A1"), std::string("SELECT id, x'00' AS raw FROM customers "
                                                                         "WHERE id <= 2"));
  table->Name("Raw");
  menuAction("menuData", QStringLiteral("Refresh All"))->trigger();
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_EQ(dialogs->boxes()[0].icon, forms::MsgIcon::Information);
  EXPECT_EQ(dialogs->boxes()[0].text,
            "Some values could not be placed in the sheet exactly as the database gave them:\nRaw on Sheet1: Column "
            "\"raw\": 2 binary values were left blank: a cell cannot hold binary data.");
  EXPECT_EQ(sheet->Range("A3")->Value(), host::CellValue(2.0));
}

TEST_F(HostWindowMenus, ConnectionsThatCouldRunCodeRefreshOnlyOnceTheUserTrustsTheWorkbook) {
  testing::TempDir dir;
  const auto database = dir / "sample.db";
  db::createSampleDatabase(database);
  auto sheet = app->ActiveSheet();
  sheet->QueryTables()->Add(std::string("OLEDB;Provider=SQLite;Data Source=" + database.string()), sheet->Range("A1"),
                            std::string("SELECT count(*) AS n FROM products"));
  sheet->QueryTables()->Add(std::string("ODBC;FILEDSN=" + (dir / "chosen.dsn").string()), sheet->Range("D1"),
                            std::string("SELECT 1"));
  auto refreshAll = [&] { menuAction("menuData", QStringLiteral("Refresh All"))->trigger(); };

  dialogs->answerMessageBox(forms::MsgResult::No);
  refreshAll();
  ASSERT_EQ(dialogs->boxes().size(), 1u) << "only the question; the refused table is not tried";
  EXPECT_EQ(dialogs->boxes()[0].buttons, forms::MsgButtons::YesNo);
  EXPECT_NE(dialogs->boxes()[0].text.find("ExternalData_2 on Sheet1: it uses the file DSN"), std::string::npos)
      << dialogs->boxes()[0].text;
  EXPECT_EQ(sheet->Range("A2")->Value(), host::CellValue(200.0)) << "the other table still refreshes";

  dialogs->answerMessageBox(forms::MsgResult::Yes);
  refreshAll();
  ASSERT_EQ(dialogs->boxes().size(), 3u) << "asked again, then the file DSN's failure";
  EXPECT_EQ(dialogs->boxes()[2].icon, forms::MsgIcon::Critical);

  refreshAll();
  ASSERT_EQ(dialogs->boxes().size(), 4u) << "trusted for as long as the workbook is open: no question";
  EXPECT_EQ(dialogs->boxes()[3].icon, forms::MsgIcon::Critical);
}

TEST_F(HostWindowMenus, APasswordNotSavedWithTheWorkbookIsAskedForAndACancelSkipsTheTable) {
  testing::TempDir dir;
  const auto database = dir / "sample.db";
  db::createSampleDatabase(database);
  auto sheet = app->ActiveSheet();
  auto table = sheet->QueryTables()->Add(std::string("ODBC;Driver=SQLite3;Database=" + database.string() + ";UID=me"),
                                         sheet->Range("A1"), std::string("SELECT count(*) AS n FROM products"));
  table->SavePassword(false);
  auto refreshAll = [&] { menuAction("menuData", QStringLiteral("Refresh All"))->trigger(); };

  refreshAll();
  ASSERT_EQ(dialogs->passwordPrompts().size(), 1u);
  EXPECT_NE(dialogs->passwordPrompts()[0].prompt.find("ExternalData_1 on Sheet1"), std::string::npos);
  EXPECT_TRUE(dialogs->boxes().empty()) << "a cancel is not a failure";
  EXPECT_EQ(sheet->Range("A2")->Value(), host::CellValue());

  dialogs->answerPassword("secret");
  refreshAll();
  EXPECT_EQ(sheet->Range("A2")->Value(), host::CellValue(200.0));
  EXPECT_EQ(table->Connection(), host::QueryConnection(std::string("ODBC;Driver=SQLite3;Database=" +
                                                                   database.string() + ";UID=me")));
}

}  // namespace
}  // namespace tavrello::gui
