// Long statements and saves in the window: the progress box after half a
// second, windows that keep repainting and take no input meanwhile, and a
// Cancel that stops the work, which then fails with 18.
#include "gui/window_progress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "gui/progress_box.h"
#include "platform/db/connection.h"
#include "platform/db/db_test_support.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "qt_app.h"
#include "support_lib/failure_number.h"
#include "support_lib/test_env.h"

namespace tavrello::gui {
namespace {

using Clock = std::chrono::steady_clock;

// Counts its paints; a slow one takes its time over each, as a big sheet
// does, so that a save in between lasts long enough to be watched.
class PaintedWindow final : public QWidget {
 public:
  int paints = 0;
  std::chrono::milliseconds paintTime{0};

 protected:
  void paintEvent(QPaintEvent*) override {
    ++paints;
    std::this_thread::sleep_for(paintTime);
  }
};

// What a user would see while the work runs, looked at every 10 ms: repaints
// the window, notes whether the box was shown too early, and clicks
// `action` on the box once it is there.
struct Onlooker {
  Onlooker(WindowProgress& progress, PaintedWindow& window, std::function<void(ProgressBox&)> action)
      : progress(progress), window(window), action(std::move(action)) {
    QObject::connect(&poll, &QTimer::timeout, [this] { look(); });
    poll.start(10);
  }
  void look() {
    window.repaint();
    ProgressBox* box = progress.shownBox();
    if (!box) return;
    if (Clock::now() - start < WindowProgress::kShowAfter) shownEarly = true;
    if (acted) return;
    acted = true;
    shownAt = Clock::now();
    paintsBeforeBox = window.paints;
    action(*box);
  }

  WindowProgress& progress;
  PaintedWindow& window;
  std::function<void(ProgressBox&)> action;
  QTimer poll;
  Clock::time_point start = Clock::now();
  Clock::time_point shownAt{};
  bool shownEarly = false;
  bool acted = false;
  int paintsBeforeBox = 0;
};

QString boxText(ProgressBox& box) {
  QString all;
  for (auto* label : box.findChildren<QLabel*>()) all += label->text() + "\n";
  return all;
}

void saveShot(QWidget& widget, const std::string& name) {
  const auto file = testing::artefactDir() / name;
  EXPECT_TRUE(widget.grab().save(QString::fromStdString(file.string()))) << file;
}

constexpr const char* kEndlessCount =
    "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 4000000000) SELECT count(*) FROM k";

class WindowProgressTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  void SetUp() override {
    window.resize(480, 320);
    button = new QPushButton("Other work", &window);
    QObject::connect(button, &QPushButton::clicked, [this] { ++otherClicks; });
    window.show();
    testing::settle();
  }

  testing::TempDir dir;
  PaintedWindow window;
  QPushButton* button = nullptr;
  int otherClicks = 0;
};

TEST_F(WindowProgressTest, AQuickStatementShowsNoBox) {
  WindowProgress progress(&window);
  db::Connection connection;
  connection.Open(db::testing::nativeString(db::testing::newSqliteFile(dir)));
  Onlooker onlooker(progress, window, [](ProgressBox&) {});
  EXPECT_EQ(connection.Execute("SELECT 5")->column(0).display(0), "5");
  testing::settle();
  EXPECT_FALSE(onlooker.acted);
  EXPECT_EQ(progress.shownBox(), nullptr);
}

TEST_F(WindowProgressTest, ALongStatementShowsTheBoxWhileTheWindowRepaintsAndCancelStopsIt) {
  WindowProgress progress(&window);
  db::Connection connection;
  connection.Open(db::testing::nativeString(db::testing::newSqliteFile(dir)));
  QString shown;
  Onlooker onlooker(progress, window, [&](ProgressBox& box) {
    // The user's clicks elsewhere are held back while the statement runs.
    QTest::mouseClick(button, Qt::LeftButton);
    window.close();
    shown = boxText(box);
    saveShot(box, "progress_box_statement.png");
    QTest::mouseClick(box.cancelButton(), Qt::LeftButton);
  });
  const int paintsAtStart = window.paints;
  EXPECT_EQ(testing::failureNumber([&] { connection.Execute(kEndlessCount); }), 18);
  const Clock::duration cancelToEnd = Clock::now() - onlooker.shownAt;

  ASSERT_TRUE(onlooker.acted) << "the box came up";
  EXPECT_FALSE(onlooker.shownEarly) << "not before half a second";
  EXPECT_GT(onlooker.paintsBeforeBox, paintsAtStart + 2) << "the window repainted while the statement ran";
  EXPECT_TRUE(shown.contains("Running the statement")) << shown.toStdString();
  EXPECT_TRUE(shown.contains(" rows read, ")) << shown.toStdString();
  EXPECT_LT(cancelToEnd, std::chrono::seconds(5)) << "the statement stopped soon after Cancel";
  EXPECT_EQ(otherClicks, 0);
  EXPECT_TRUE(window.isVisible()) << "the window did not close under the statement";

  testing::settle();
  EXPECT_EQ(progress.shownBox(), nullptr) << "the box goes when the operation has ended";
  EXPECT_EQ(connection.Execute("SELECT 7")->column(0).display(0), "7") << "the next statement is not cancelled";
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(otherClicks, 1) << "the window takes input again";
}

TEST_F(WindowProgressTest, AFailureOfTheStatementReachesTheCallerAsItWas) {
  WindowProgress progress(&window);
  db::Connection connection;
  connection.Open(db::testing::nativeString(db::testing::newSqliteFile(dir)));
  try {
    connection.Execute("SELECT * FROM no_such_table");
    FAIL() << "the statement failed";
  } catch (const Failure& failure) {
    EXPECT_NE(failure.description().find("no_such_table"), std::string::npos) << failure.description();
  }
}

TEST_F(WindowProgressTest, ASaveShowsTheBytesWrittenAndCancelLeavesTheEarlierFile) {
  forms::ScopedDialogService dialogs{std::make_shared<forms::ScriptedDialogService>()};
  auto app = host::WorkbookApplication::create();
  auto book = app->addBook();
  const auto file = dir / "kept.xlsx";
  book->sheets()[0]->Range("A1")->Value(std::string("first version"));
  book->SaveAs(file.string());
  const std::string before = testing::readFile(file);
  for (int row = 1; row <= 100000; ++row)
    book->sheets()[0]->Range("B" + std::to_string(row))->Value(std::string("row ") + std::to_string(row));

  WindowProgress progress(&window);
  window.paintTime = std::chrono::milliseconds(80);
  QString shown;
  Onlooker onlooker(progress, window, [&](ProgressBox& box) {
    shown = boxText(box);
    saveShot(box, "progress_box_save.png");
    QTest::mouseClick(box.cancelButton(), Qt::LeftButton);
  });
  const int paintsAtStart = window.paints;
  EXPECT_EQ(testing::failureNumber([&] { book->SaveAs(file.string()); }), 18);
  window.paintTime = std::chrono::milliseconds(0);

  ASSERT_TRUE(onlooker.acted) << "the box came up";
  EXPECT_FALSE(onlooker.shownEarly);
  EXPECT_GT(onlooker.paintsBeforeBox, paintsAtStart + 2) << "the window repainted between the save's blocks";
  EXPECT_TRUE(shown.contains("Saving the workbook")) << shown.toStdString();
  EXPECT_TRUE(shown.contains(" MB written, ")) << shown.toStdString();
  EXPECT_EQ(testing::readFile(file), before) << "the earlier file is as it was";
  testing::settle();
  EXPECT_EQ(progress.shownBox(), nullptr);
}

// Its own length of sleep: the server's list of statements tells it from
// other tests' sleeps.
TEST(WindowProgressPostgres, CancelStopsAServerStatementThatBlocksItsThread) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  testing::qtApp();
  PaintedWindow window;
  window.show();
  WindowProgress progress(&window);
  db::Connection sleeper;
  sleeper.Open(cs);
  Onlooker onlooker(progress, window, [](ProgressBox& box) { QTest::mouseClick(box.cancelButton(), Qt::LeftButton); });
  EXPECT_EQ(testing::failureNumber([&] { sleeper.Execute("SELECT pg_sleep(31)"); }), 18);
  const Clock::duration cancelToEnd = Clock::now() - onlooker.shownAt;
  ASSERT_TRUE(onlooker.acted);
  EXPECT_LT(cancelToEnd, std::chrono::seconds(5)) << "the server's statement stopped soon after Cancel";
  db::Connection observer;
  observer.Open(cs);
  EXPECT_EQ(observer
                .Execute("SELECT count(*) FROM pg_stat_activity WHERE query = 'SELECT pg_sleep(31)' AND state = "
                         "'active'")
                ->column(0)
                .display(0),
            "0")
      << "the server no longer runs it";
}

}  // namespace
}  // namespace tavrello::gui
