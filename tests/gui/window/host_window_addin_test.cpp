// The host window with the Tavrello add-in loaded by its registration, as a
// user starts it: the add-in's tool bar, its about box, the tool bar's place
// kept across runs, and the add-in switched off and on from the Add-ins
// dialog. Offscreen, in a fake home.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

#include "gui/addins_dialog.h"
#include "gui/face_icons.h"
#include "gui/form_window.h"
#include "platform/host/workbook/host_command_bar.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/system/registry.h"
#include "window_test_support.h"

namespace tavrello {
namespace {

using testing::HostRun;

class HostWindowWithAddin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  void SetUp() override {
    testing::registerTavrelloForTest();
    const auto data = home.dataHome() / "Tavrello" / "connectionsettings.xml";
    testing::writeFile(data, testing::settingsFile({{"Sample", "Provider=SQLite;Data Source=/tmp/none.db"},
                                                    {"Orders", "DSN=orders"},
                                                    {"Reporting", "DSN=reporting"}}));
  }

  static std::vector<std::string> comboItems(QComboBox* combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
    return items;
  }

  testing::FakeHome home;
};

TEST_F(HostWindowWithAddin, TheWindowOpensWithTheTavrelloToolbarItsConnectionsAndFourButtons) {
  HostRun run;
  gui::CommandBarToolbar* toolbar = run.toolbar("Tavrello");
  ASSERT_NE(toolbar, nullptr) << "the add-in built its tool bar";
  EXPECT_TRUE(toolbar->isVisible()) << "first start: the add-in shows it";
  EXPECT_TRUE(toolbar->isWindow()) << "it floats";

  auto* combo = qobject_cast<QComboBox*>(toolbar->controlWidget(1));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(comboItems(combo), (std::vector<std::string>{"Tavrello Toolbar", "Sample", "Orders", "Reporting"}));
  EXPECT_EQ(combo->currentText(), "Tavrello Toolbar");
  EXPECT_EQ(combo->width(), 150);

  const std::vector<std::pair<int, std::string>> buttons = {
      {2, "Quick Load"},
      {3, "Load Support Page - "},
      {4, "Check For Tavrello Updates - will connect to internet to check"},
      {5, "About Tavrello"}};
  for (const auto& [index, tip] : buttons) {
    auto* button = qobject_cast<QToolButton*>(toolbar->controlWidget(index));
    ASSERT_NE(button, nullptr) << index;
    EXPECT_EQ(button->toolTip().toStdString().substr(0, tip.size()), tip);
    EXPECT_FALSE(button->icon().isNull()) << tip;
  }
  EXPECT_EQ(toolbar->controlWidget(6), nullptr) << "a combo box and four buttons, nothing more";

  const auto shot = testing::artefactDir() / "host_window_with_tavrello_toolbar.png";
  EXPECT_TRUE(testing::screenShot().save(QString::fromStdString(shot.string())));
}

TEST_F(HostWindowWithAddin, ClickingTheAboutButtonShowsTheAboutBox) {
  HostRun run;
  gui::CommandBarToolbar* toolbar = run.toolbar("Tavrello");
  ASSERT_NE(toolbar, nullptr);
  auto* about = qobject_cast<QToolButton*>(toolbar->controlWidget(5));
  ASSERT_NE(about, nullptr);
  std::string title;
  testing::whileModal([&] { QTest::mouseClick(about, Qt::LeftButton); },
                      [&](QWidget* box) {
                        title = box->windowTitle().toStdString();
                        EXPECT_EQ(box->objectName(), "formAbout");
                        box->grab().save(
                            QString::fromStdString((testing::artefactDir() / "about_box_from_toolbar.png").string()));
                        auto* window = qobject_cast<gui::FormWindow*>(box);
                        ASSERT_NE(window, nullptr);
                        auto* ok = qobject_cast<QAbstractButton*>(window->controlWidget("CommandButtonOK"));
                        ASSERT_NE(ok, nullptr);
                        ok->click();
                      });
  EXPECT_EQ(title.rfind("Tavrello - About", 0), 0u) << title;
  testing::settle();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "OK closed the box";
}

TEST_F(HostWindowWithAddin, ADraggedToolbarComesBackWhereTheUserLeftItAfterARestart) {
  QPoint dropped;
  {
    HostRun run;
    gui::CommandBarToolbar* toolbar = run.toolbar("Tavrello");
    ASSERT_NE(toolbar, nullptr);
    ASSERT_TRUE(toolbar->isWindow());
    const QPoint start = toolbar->pos();
    // Drag it by its handle, as a user does.
    const QPoint handle(4, toolbar->height() / 2);
    QTest::mousePress(toolbar, Qt::LeftButton, {}, handle);
    for (int step = 1; step <= 10; ++step) QTest::mouseMove(toolbar, handle + QPoint(12 * step, 7 * step) - (toolbar->pos() - start));
    QTest::mouseRelease(toolbar, Qt::LeftButton, {}, toolbar->mapFromGlobal(start + handle + QPoint(120, 70)));
    testing::settle();
    dropped = toolbar->pos();
    EXPECT_NE(dropped, start) << "the drag moved the tool bar";
    auto bar = run.app->CommandBars()->Item("Tavrello");
    EXPECT_EQ(bar->Position(), host::MsoBarPosition::Floating);
    EXPECT_EQ(QPoint(bar->Left(), bar->Top()), dropped) << "the host's bar follows the user's drag";
  }
  HostRun again;
  gui::CommandBarToolbar* toolbar = again.toolbar("Tavrello");
  ASSERT_NE(toolbar, nullptr);
  EXPECT_TRUE(toolbar->isWindow());
  EXPECT_EQ(toolbar->pos(), dropped);
}

TEST_F(HostWindowWithAddin, AToolbarDockedAtTheBottomIsDockedThereAfterARestart) {
  {
    HostRun run;
    gui::CommandBarToolbar* toolbar = run.toolbar("Tavrello");
    ASSERT_NE(toolbar, nullptr);
    // What a drop on the window's bottom edge leaves behind.
    toolbar->setWindowFlags(Qt::Widget);
    run.window().addToolBar(Qt::BottomToolBarArea, toolbar);
    toolbar->show();
    testing::settle();
    run.window().toolbars().readPlacements();
  }
  HostRun again;
  gui::CommandBarToolbar* toolbar = again.toolbar("Tavrello");
  ASSERT_NE(toolbar, nullptr);
  EXPECT_FALSE(toolbar->isWindow());
  EXPECT_EQ(again.window().toolBarArea(toolbar), Qt::BottomToolBarArea);
  EXPECT_TRUE(toolbar->isVisible());
  EXPECT_EQ(again.app->CommandBars()->Item("Tavrello")->RowIndex(), 1);
}

TEST_F(HostWindowWithAddin, UntickingTheAddinRemovesItsToolbarAndTickingBuildsItAgain) {
  HostRun run;
  ASSERT_NE(run.toolbar("Tavrello"), nullptr);

  auto untick = [&](bool ticked) {
    testing::whileModal([&] { run.window().showAddinsDialog(); },
                        [&](QWidget* modal) {
                          auto* dialog = qobject_cast<gui::AddinsDialog*>(modal);
                          ASSERT_NE(dialog, nullptr);
                          ASSERT_EQ(dialog->list()->count(), 1);
                          QListWidgetItem* item = dialog->list()->item(0);
                          EXPECT_EQ(item->text(), "Tavrello");
                          EXPECT_EQ(item->toolTip(), "Tavrello - Import data to excel from standard databases.");
                          EXPECT_EQ(item->checkState(), ticked ? Qt::Unchecked : Qt::Checked);
                          auto* description = dialog->findChild<QLabel*>(QStringLiteral("addinDescription"));
                          ASSERT_NE(description, nullptr);
                          EXPECT_TRUE(description->text().contains(QStringLiteral("Import data to excel")));
                          item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
                          dialog->accept();
                        });
    testing::settle();
  };

  untick(false);
  EXPECT_EQ(run.toolbar("Tavrello"), nullptr) << "disconnected: the add-in deleted its tool bar";
  EXPECT_FALSE(run.app->commandBars()->findBar("Tavrello"));
  EXPECT_EQ(host::readAddinRegistrations().at(0).loadBehavior, 2u) << "it stays off at the next start";

  untick(true);
  gui::CommandBarToolbar* toolbar = run.toolbar("Tavrello");
  ASSERT_NE(toolbar, nullptr) << "connected again: the tool bar is back";
  EXPECT_TRUE(toolbar->isVisible());
  auto* combo = qobject_cast<QComboBox*>(toolbar->controlWidget(1));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->count(), 4);
  EXPECT_EQ(host::readAddinRegistrations().at(0).loadBehavior, 3u);
}

TEST_F(HostWindowWithAddin, AnAddinSwitchedOffStaysOffAtTheNextStart) {
  {
    HostRun run;
    run.addins.disconnect(host::kTavrelloProgId);
  }
  HostRun again;
  EXPECT_EQ(again.toolbar("Tavrello"), nullptr);
  ASSERT_EQ(again.addins.addins().size(), 1u);
  EXPECT_FALSE(again.addins.addins()[0].connected);
}

}  // namespace
}  // namespace tavrello
