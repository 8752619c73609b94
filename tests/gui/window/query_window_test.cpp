// The query window in the host window, as a user reaches it: "Sample" chosen
// on the Tavrello tool bar, Quick Load, a table added in the builder, Execute.
// Offscreen, in a fake home registered as `tavrello register` does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "gui/builder_object_tree.h"
#include "gui/builder_widget.h"
#include "gui/form_window.h"
#include "gui/grid_source_widget.h"
#include "gui/progress_box.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/form.h"
#include "window_test_support.h"

namespace tavrello {
namespace {

using testing::HostRun;

class QueryWindowInTheHost : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  void SetUp() override { testing::registerTavrelloForTest(); }

  // Chooses "Sample" on the tool bar and clicks Quick Load.
  static gui::FormWindow* quickLoadSample(HostRun& run) {
    gui::CommandBarToolbar* toolbar = run.toolbar("Tavrello");
    if (!toolbar) return nullptr;
    auto* combo = qobject_cast<QComboBox*>(toolbar->controlWidget(1));
    auto* quickLoad = qobject_cast<QToolButton*>(toolbar->controlWidget(2));
    if (!combo || !quickLoad) return nullptr;
    const int sample = combo->findText("Sample");
    combo->setCurrentIndex(sample);
    emit combo->activated(sample);  // as the user's pick in the drop-down
    QTest::mouseClick(quickLoad, Qt::LeftButton);
    testing::settle();
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* window = qobject_cast<gui::FormWindow*>(top);
      if (window && window->form() && window->form()->Name() == "formSQLNew" && window->isVisible()) return window;
    }
    return nullptr;
  }

  static QTreeWidgetItem* tableItem(gui::BuilderObjectTree* tree, const QString& name) {
    QTreeWidgetItem* tables = tree->topLevelItem(0);
    for (int i = 0; tables && i < tables->childCount(); ++i) {
      if (tables->child(i)->text(0) == name) return tables->child(i);
    }
    return nullptr;
  }

  static void saveShot(QWidget* window, const std::string& name) {
    testing::settle();
    const auto file = testing::artefactDir() / name;
    EXPECT_TRUE(window->grab().save(QString::fromStdString(file.string()))) << file;
  }

  testing::FakeHome home;
};

TEST_F(QueryWindowInTheHost, QuickLoadOpensTheWindowAndATableInTheBuilderRunsOnExecute) {
  HostRun run;
  gui::FormWindow* window = quickLoadSample(run);
  ASSERT_NE(window, nullptr) << "Quick Load opened the query window";
  EXPECT_FALSE(window->isModal()) << "the query window is modeless";
  EXPECT_EQ(window->parentWidget(), &run.window()) << "it stands over the host window";
  EXPECT_EQ(window->windowTitle(), "Tavrello");

  auto* builder = dynamic_cast<gui::BuilderWidget*>(window->controlWidget("SQLBuilder"));
  auto* statement = qobject_cast<QPlainTextEdit*>(window->controlWidget("TextSQL"));
  auto* execute = qobject_cast<QToolButton*>(window->controlWidget("CommandExecute"));
  ASSERT_NE(builder, nullptr);
  ASSERT_NE(statement, nullptr);
  ASSERT_NE(execute, nullptr);
  EXPECT_TRUE(builder->isVisible());
  EXPECT_TRUE(statement->isVisible());
  EXPECT_GT(statement->y(), builder->y()) << "the statement box stands below the builder";
  EXPECT_FALSE(execute->icon().isNull()) << "graphical buttons have pictures";
  EXPECT_EQ(execute->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

  QTreeWidgetItem* customers = tableItem(builder->objectTree(), "customers");
  ASSERT_NE(customers, nullptr);
  emit builder->objectTree()->itemDoubleClicked(customers, 0);
  testing::settle();
  EXPECT_EQ(statement->toPlainText().toStdString(), "SELECT * FROM customers");
  EXPECT_TRUE(execute->isEnabled());
  saveShot(window, "query_window_query_view.png");

  QTest::mouseClick(execute, Qt::LeftButton);
  testing::settle();
  auto* grid = qobject_cast<gui::GridSourceWidget*>(window->controlWidget("DataGrid"));
  ASSERT_NE(grid, nullptr);
  EXPECT_TRUE(grid->isVisible()) << "Execute shows the result page";
  EXPECT_FALSE(builder->isVisible());
  ASSERT_NE(grid->source(), nullptr);
  EXPECT_EQ(grid->rowCount(), 600);
  EXPECT_EQ(grid->header()->model()->headerData(0, Qt::Horizontal).toString(), "id");
  EXPECT_EQ(grid->source()->cellText(0, 0), "1");
  EXPECT_EQ(grid->source()->columnAlignment(0), forms::GridAlignment::Right) << "numbers stand right";
  saveShot(window, "query_window_resultset_view.png");
}

TEST_F(QueryWindowInTheHost, ClickingAButtonHandsTheTypedStatementToTheBuilderFirst) {
  HostRun run;
  gui::FormWindow* window = quickLoadSample(run);
  ASSERT_NE(window, nullptr);
  auto* statement = qobject_cast<QPlainTextEdit*>(window->controlWidget("TextSQL"));
  auto* execute = qobject_cast<QToolButton*>(window->controlWidget("CommandExecute"));
  ASSERT_NE(statement, nullptr);
  ASSERT_NE(execute, nullptr);

  statement->setFocus();
  QTest::keyClicks(statement, "select code, name from products where id < 4");
  testing::settle();
  // Execute is still disabled: only the builder's change enables it, so the
  // first click lands on the disabled button and only moves the focus.
  window->controlWidget("ComboConnections")->setFocus();
  testing::settle();
  EXPECT_EQ(statement->toPlainText().toStdString(), "SELECT code, name FROM products WHERE id < 4");
  ASSERT_TRUE(execute->isEnabled());

  statement->setFocus();
  statement->selectAll();
  QTest::keyClicks(statement, "select id from customers where id between 10 and 14");
  QTest::mouseClick(execute, Qt::LeftButton);
  testing::settle();
  EXPECT_EQ(statement->toPlainText().toStdString(), "SELECT id FROM customers WHERE id BETWEEN 10 AND 14");
  auto* grid = qobject_cast<gui::GridSourceWidget*>(window->controlWidget("DataGrid"));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->rowCount(), 5);
}

TEST_F(QueryWindowInTheHost, CancelInTheProgressBoxStopsALongExecuteWhichIsLoggedWithoutABox) {
  HostRun run;
  gui::FormWindow* window = quickLoadSample(run);
  ASSERT_NE(window, nullptr);
  auto* statement = qobject_cast<QPlainTextEdit*>(window->controlWidget("TextSQL"));
  auto* execute = qobject_cast<QToolButton*>(window->controlWidget("CommandExecute"));
  ASSERT_NE(statement, nullptr);
  ASSERT_NE(execute, nullptr);
  statement->setFocus();
  QTest::keyClicks(statement,
                   "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 4000000000) "
                   "SELECT count(*) FROM k");
  window->controlWidget("ComboConnections")->setFocus();
  testing::settle();
  ASSERT_TRUE(execute->isEnabled());

  // Looks at the windows every 10 ms while Execute runs: the progress box is
  // the only window that comes up, and its Cancel is clicked.
  bool cancelled = false;
  QStringList otherWindows;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (!top->isVisible() || top == &run.window() || top == window || qobject_cast<gui::CommandBarToolbar*>(top))
        continue;
      auto* box = qobject_cast<gui::ProgressBox*>(top);
      if (!box) {
        otherWindows << top->metaObject()->className();
      } else if (!cancelled) {
        cancelled = true;
        const auto file = testing::artefactDir() / "query_window_progress_box.png";
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromStdString(file.string())));
        QTest::mouseClick(box->cancelButton(), Qt::LeftButton);
      }
    }
  });
  poll.start(10);
  QTest::mouseClick(execute, Qt::LeftButton);
  testing::settle();
  poll.stop();

  EXPECT_TRUE(cancelled) << "the progress box came up";
  EXPECT_TRUE(otherWindows.isEmpty()) << "no box: " << otherWindows.join(", ").toStdString();
  const std::string log = testing::readFile(home.dataHome() / "Tavrello" / "TavrelloErrors.log");
  const std::string entry = "  [Tavrello]formSQLNew.CommandExecute_Click, Error 18: UserCancel\r\n\r\n";
  // One entry: its date and time ("12/09/26 10:30:00", 17 characters), then the rest.
  EXPECT_EQ(log.size(), 17 + entry.size()) << log;
  EXPECT_NE(log.find(entry), std::string::npos) << log;

  statement->setFocus();
  statement->selectAll();
  QTest::keyClicks(statement, "select id from customers where id < 4");
  QTest::mouseClick(execute, Qt::LeftButton);
  testing::settle();
  auto* grid = qobject_cast<gui::GridSourceWidget*>(window->controlWidget("DataGrid"));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->rowCount(), 3) << "the next Execute runs";
}

}  // namespace
}  // namespace tavrello
