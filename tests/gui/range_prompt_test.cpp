// The host's range prompt (InputBox Type 8) in the host window: the user
// types an address, or points at cells on the grid, while the rest of the
// program waits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "gui/command_bar_toolbar.h"
#include "gui/command_bar_toolbars.h"
#include "gui/host_dialog_service.h"
#include "gui/host_window.h"
#include "gui/range_prompt.h"
#include "gui/sheet_tabs.h"
#include "gui/sheet_view.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/workbook_application.h"
#include "qt_app.h"

namespace tavrello::gui {
namespace {

class RangePromptTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  void SetUp() override {
    app = host::WorkbookApplication::create();
    book = app->addBook();
    window = std::make_unique<HostWindow>(app, nullptr);
    service = std::make_shared<HostDialogService>(*window);
    scoped = std::make_unique<forms::ScopedDialogService>(service);
    window->show();
    testing::settle();
  }
  void TearDown() override {
    scoped.reset();
    service.reset();
    window.reset();
    testing::settle();
  }

  // Runs `act` on the prompt once it is up, while InputBox waits for it.
  std::shared_ptr<host::Range> ask(const std::function<void(RangePrompt&)>& act) {
    QTimer::singleShot(0, [&] {
      auto* prompt = window->findChild<RangePrompt*>(QStringLiteral("rangePrompt"));
      ASSERT_NE(prompt, nullptr);
      act(*prompt);
    });
    return app->InputBox("Select the destination cell", "Tavrello", "", 8);
  }

  void clickCell(int row, int column) {
    SheetView& view = window->sheetView();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(view.model()->index(row - 1, column - 1)).center());
  }

  static void press(RangePrompt& prompt, QDialogButtonBox::StandardButton which) {
    prompt.findChild<QDialogButtonBox*>()->button(which)->click();
  }

  std::shared_ptr<host::WorkbookApplication> app;
  std::shared_ptr<host::Book> book;
  std::unique_ptr<HostWindow> window;
  std::shared_ptr<HostDialogService> service;
  std::unique_ptr<forms::ScopedDialogService> scoped;
};

TEST_F(RangePromptTest, ATypedAddressIsTheRangeReturned) {
  auto range = ask([](RangePrompt& prompt) {
    prompt.addressField()->setText(QStringLiteral("B2:D3"));
    press(prompt, QDialogButtonBox::Ok);
  });
  ASSERT_NE(range, nullptr);
  EXPECT_EQ(range->Address(), "$B$2:$D$3");
}

TEST_F(RangePromptTest, ClickingACellPutsItsAddressInThePromptAndReturnsIt) {
  bool pointingDuringPrompt = false;
  bool menusOffDuringPrompt = false;
  auto range = ask([&](RangePrompt& prompt) {
    pointingDuringPrompt = window->pointing();
    menusOffDuringPrompt = !window->menuBar()->isEnabled();
    clickCell(4, 3);
    EXPECT_EQ(prompt.addressField()->text(), "$C$4");
    press(prompt, QDialogButtonBox::Ok);
  });
  ASSERT_NE(range, nullptr);
  EXPECT_EQ(range->Address(), "$C$4");
  EXPECT_TRUE(pointingDuringPrompt);
  EXPECT_TRUE(menusOffDuringPrompt);
  EXPECT_FALSE(window->pointing()) << "the window is itself again";
  EXPECT_TRUE(window->menuBar()->isEnabled());
}

TEST_F(RangePromptTest, PointingAtAnotherSheetNamesThatSheet) {
  book->addSheet();
  window->refresh();
  auto range = ask([&](RangePrompt& prompt) {
    QTabBar* tabs = window->sheetTabs().tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    testing::settle();
    clickCell(2, 2);
    EXPECT_EQ(prompt.addressField()->text(), "Sheet2!$B$2");
    press(prompt, QDialogButtonBox::Ok);
  });
  ASSERT_NE(range, nullptr);
  EXPECT_EQ(range->Parent()->Name(), "Sheet2");
  EXPECT_EQ(range->Address(), "$B$2");
}

TEST_F(RangePromptTest, CancelGivesNothing) {
  auto range = ask([](RangePrompt& prompt) {
    prompt.addressField()->setText(QStringLiteral("A1"));
    press(prompt, QDialogButtonBox::Cancel);
  });
  EXPECT_EQ(range, nullptr);
}

TEST_F(RangePromptTest, UnderAModalWindowTheAddressIsTyped) {
  QDialog modal(window.get());
  std::shared_ptr<host::Range> range;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, [&] {
      auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(input, nullptr) << "the plain prompt, over the modal window";
      input->setTextValue(QStringLiteral("D5"));
      input->accept();
    });
    range = app->InputBox("Where?", "Tavrello", "", 8);
    modal.accept();
  });
  modal.exec();
  ASSERT_NE(range, nullptr);
  EXPECT_EQ(range->Address(), "$D$5");
}

}  // namespace
}  // namespace tavrello::gui
