// The host window's grid, name box and sheet tabs over the host's model,
// offscreen.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTabBar>
#include <QTest>

#include "gui/host_window.h"
#include "gui/name_box.h"
#include "gui/sheet_model.h"
#include "gui/sheet_tabs.h"
#include "gui/sheet_view.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "qt_app.h"
#include "support_lib/test_env.h"

namespace tavrello::gui {
namespace {

class HostWindowSheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  void SetUp() override {
    app = host::WorkbookApplication::create();
    book = app->addBook();
    window = std::make_unique<HostWindow>(app, nullptr);
    window->show();
    testing::settle();
  }
  void TearDown() override {
    window.reset();
    testing::settle();
  }

  SheetView& view() { return window->sheetView(); }
  QPoint cellCentre(int row, int column) {
    return view().visualRect(view().model()->index(row - 1, column - 1)).center();
  }

  std::shared_ptr<host::WorkbookApplication> app;
  std::shared_ptr<host::Book> book;
  std::unique_ptr<HostWindow> window;
  std::shared_ptr<forms::ScriptedDialogService> dialogs = std::make_shared<forms::ScriptedDialogService>();
  forms::ScopedDialogService scoped{dialogs};
};

TEST_F(HostWindowSheet, AMillionRowSheetOpensAndScrollsToItsLastRow) {
  auto sheet = book->activeSheet();
  constexpr std::int32_t kRows = 1048575;
  sheet->Range("A1")->Value(std::string("Number"));
  sheet->Range("B1")->Value(std::string("Half"));
  sheet->cells().fillColumn(1, 2, kRows - 1, [](std::int32_t row, host::Cell& cell) { cell.setNumber(row - 1); });
  sheet->cells().fillColumn(2, 2, kRows - 1, [](std::int32_t row, host::Cell& cell) { cell.setNumber((row - 1) / 2.0); });
  window->refresh();
  testing::settle();
  EXPECT_EQ(view().model()->rowCount(), 1048576);

  view().setFocus();
  QTest::keyClick(&view(), Qt::Key_End, Qt::ControlModifier);
  testing::settle();
  EXPECT_EQ(app->ActiveCell()->Address(), "$B$1048575") << "Ctrl+End goes to the last cell in use";
  const QRect last = view().visualRect(view().model()->index(kRows - 1, 1));
  EXPECT_TRUE(view().viewport()->rect().contains(last)) << "the last row is on screen";
  EXPECT_EQ(view().model()->index(kRows - 1, 0).data().toString(), "1048574");
  EXPECT_EQ(window->nameBox().text(), "B1048575");

  // A screenful of cells is what was read, not the sheet.
  EXPECT_LT(view().sheetModel().cellsRead(), 20000);

  QTest::keyClick(&view(), Qt::Key_Home, Qt::ControlModifier);
  testing::settle();
  EXPECT_EQ(app->ActiveCell()->Address(), "$A$1");
}

TEST_F(HostWindowSheet, ClickingACellMakesItTheHostsActiveCell) {
  QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, cellCentre(5, 3));
  testing::settle();
  EXPECT_EQ(app->ActiveCell()->Address(), "$C$5");
  EXPECT_EQ(window->nameBox().text(), "C5");

  // A drag selects a block whose top-left cell is the active cell.
  QTest::mousePress(view().viewport(), Qt::LeftButton, {}, cellCentre(2, 2));
  QTest::mouseMove(view().viewport(), cellCentre(4, 3));
  QTest::mouseRelease(view().viewport(), Qt::LeftButton, {}, cellCentre(4, 3));
  testing::settle();
  EXPECT_EQ(book->activeSheet()->selection(), (host::CellRect{2, 2, 4, 3}));
  EXPECT_EQ(app->ActiveCell()->Address(), "$B$2");
}

TEST_F(HostWindowSheet, ASelectionTheHostMakesIsShownAndScrolledTo) {
  app->Range("D40000:E40002")->Select();
  window->refresh();
  testing::settle();
  EXPECT_EQ(view().currentIndex(), view().model()->index(39999, 3));
  EXPECT_TRUE(view().selectionModel()->isSelected(view().model()->index(40001, 4)));
  EXPECT_TRUE(view().viewport()->rect().intersects(view().visualRect(view().currentIndex())));
  EXPECT_EQ(window->nameBox().text(), "D40000");
}

TEST_F(HostWindowSheet, AnAddressTypedIntoTheNameBoxSelectsItOnItsSheet) {
  book->addSheet();
  window->refresh();
  NameBox& nameBox = window->nameBox();
  nameBox.setFocus();
  nameBox.selectAll();
  QTest::keyClicks(&nameBox, "sheet2!B3:C4");
  QTest::keyClick(&nameBox, Qt::Key_Return);
  testing::settle();
  EXPECT_EQ(app->ActiveSheet()->Name(), "Sheet2");
  EXPECT_EQ(app->ActiveCell()->Address(), "$B$3");
  EXPECT_EQ(book->activeSheet()->selection(), (host::CellRect{3, 2, 4, 3}));
  EXPECT_EQ(window->sheetTabs().tabBar()->currentIndex(), 1);
  EXPECT_EQ(view().currentIndex(), view().model()->index(2, 1));
  EXPECT_EQ(nameBox.text(), "B3");
  EXPECT_TRUE(dialogs->boxes().empty());
}

TEST_F(HostWindowSheet, AnAddressTheHostCannotReadIsAnsweredAndTheBoxShowsTheActiveCellAgain) {
  NameBox& nameBox = window->nameBox();
  EXPECT_FALSE(nameBox.goTo(QStringLiteral("B0")));
  EXPECT_FALSE(nameBox.goTo(QStringLiteral("Nowhere!A1")));
  ASSERT_EQ(dialogs->boxes().size(), 2u);
  EXPECT_EQ(dialogs->boxes()[0].title, host::kHostTitle);
  EXPECT_NE(dialogs->boxes()[1].text.find("Nowhere"), std::string::npos);
  EXPECT_EQ(nameBox.text(), "A1");
  EXPECT_EQ(app->ActiveCell()->Address(), "$A$1");
}

TEST_F(HostWindowSheet, SheetTabsFollowTheWorkbookAndActivateSheets) {
  QTabBar* tabs = window->sheetTabs().tabBar();
  ASSERT_EQ(tabs->count(), 1);
  EXPECT_EQ(tabs->tabText(0), "Sheet1");
  app->ActiveWorkbook()->Worksheets()->Add();  // becomes active
  app->ActiveSheet()->Name("Data");
  app->Range("A1")->Value(std::string("on Data"));
  window->refresh();
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(1), "Data");
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_EQ(view().model()->index(0, 0).data().toString(), "on Data");

  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
  testing::settle();
  EXPECT_EQ(app->ActiveSheet()->Name(), "Sheet1");
  EXPECT_EQ(view().model()->index(0, 0).data().toString(), "");
}

TEST_F(HostWindowSheet, DoubleClickingATabRenamesTheSheet) {
  book->addSheet();
  window->refresh();
  testing::settle();
  QTabBar* tabs = window->sheetTabs().tabBar();
  dialogs->answerInput("Orders");
  QTest::mouseDClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  ASSERT_EQ(dialogs->inputs().size(), 1u);
  EXPECT_EQ(dialogs->inputs()[0].defaultText, "Sheet2");
  EXPECT_EQ(book->sheets()[1]->name(), "Orders");
  EXPECT_EQ(tabs->tabText(1), "Orders");

  dialogs->answerInput("sheet1");  // taken, letter case aside
  QTest::mouseDClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  EXPECT_EQ(book->sheets()[1]->name(), "Orders");
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_NE(dialogs->boxes()[0].text.find("same name"), std::string::npos);
}

TEST_F(HostWindowSheet, ColumnWidthsFollowTheSheetAndTheUsersDragsAreWrittenBack) {
  auto sheet = book->activeSheet();
  EXPECT_EQ(view().columnWidth(0), 64) << "8.43 characters";
  sheet->setColumnWidth(2, 20);
  window->refresh();
  EXPECT_EQ(view().columnWidth(1), SheetView::columnPixels(20));

  view().horizontalHeader()->resizeSection(3, 145);
  EXPECT_DOUBLE_EQ(sheet->columnWidth(4), 20);
}

TEST_F(HostWindowSheet, EnteringAValueInTheEntryLineWritesTheActiveCell) {
  app->Range("C2")->Select();
  window->refresh();
  auto* entry = window->findChild<QLineEdit*>(QStringLiteral("entryLine"));
  ASSERT_NE(entry, nullptr);
  entry->setFocus();
  entry->selectAll();
  QTest::keyClicks(entry, "2024-05-06");
  QTest::keyClick(entry, Qt::Key_Return);
  testing::settle();
  EXPECT_EQ(app->Range("C2")->Value(), host::CellValue(host::DateTime{45418}));
  EXPECT_EQ(view().model()->index(1, 2).data().toString(), "2024-05-06");
}

TEST_F(HostWindowSheet, DeleteEmptiesTheSelectedCellsAndKeepsTheirFormats) {
  app->Range("A1:B2")->Value(7.0);
  host::AutoFormatOptions options;
  app->Range("A1:B2")->AutoFormat(options);
  app->Range("A1:B2")->Select();
  window->refresh();
  view().setFocus();
  QTest::keyClick(&view(), Qt::Key_Delete);
  EXPECT_EQ(app->Range("B2")->Value(), host::CellValue(std::monostate{}));
  EXPECT_TRUE(view().sheetModel().look(0, 0).fill.has_value()) << "the design stays";
}

// Pixels darker than the grid inside a rectangle of the grid.
int inkIn(const QImage& image, const QRect& rect) {
  int ink = 0;
  for (int y = rect.top() + 2; y < rect.bottom() - 1; ++y)
    for (int x = rect.left() + 2; x < rect.right() - 1; ++x) ink += qGray(image.pixel(x, y)) < 128;
  return ink;
}

TEST_F(HostWindowSheet, LongTextRunsOnOverEmptyCellsOnly) {
  app->Range("A5")->Value(std::string("a long text that needs several columns"));
  app->Range("A7")->Value(std::string("a long text that needs several columns"));
  app->Range("C7")->Value(1.0);  // right-aligned: the left of C7 stays blank
  app->Range("B9")->Value(std::string("x"));
  app->Range("A9")->Value(std::string("a long text that needs several columns"));
  window->refresh();
  testing::settle();
  const QImage image = view().viewport()->grab().toImage();
  auto leftHalf = [&](int row, int column) {
    QRect cell = view().visualRect(view().model()->index(row - 1, column - 1));
    cell.setWidth(cell.width() / 2);
    return cell;
  };
  EXPECT_GT(inkIn(image, leftHalf(5, 2)), 0) << "B5 is empty: the text runs on";
  EXPECT_GT(inkIn(image, leftHalf(5, 3)), 0);
  EXPECT_GT(inkIn(image, leftHalf(7, 2)), 0) << "B7 is empty";
  EXPECT_EQ(inkIn(image, leftHalf(7, 3)), 0) << "C7 holds a value: the text stops before it";
  QRect b9 = view().visualRect(view().model()->index(8, 1));
  EXPECT_EQ(inkIn(image, QRect(b9.left() + 20, b9.top(), b9.width() - 20, b9.height())), 0)
      << "B9 holds its own text only";
}

TEST_F(HostWindowSheet, ATableWithADesignAndAFilterIsDrawnForAPersonToCheck) {
  auto sheet = book->activeSheet();
  const char* names[] = {"Ada", "Grace", "Linus", "Margaret", "Ken"};
  sheet->Range("A1")->Value(std::string("Id"));
  sheet->Range("B1")->Value(std::string("Name"));
  sheet->Range("C1")->Value(std::string("Joined"));
  sheet->Range("D1")->Value(std::string("Score"));
  sheet->Range("E1")->Value(std::string("Active"));
  for (int i = 0; i < 5; ++i) {
    sheet->Cells(i + 2, 1)->Value(double(i + 1));
    sheet->Cells(i + 2, 2)->Value(std::string(names[i]));
    sheet->Cells(i + 2, 3)->Value(host::DateTime{45000.0 + i * 31});
    sheet->Cells(i + 2, 4)->Value(1234.5 * (i + 1) / 3);
    sheet->Cells(i + 2, 5)->Value(i % 2 == 0);
  }
  host::AutoFormatOptions options;
  options.Format = host::RangeAutoFormat::List2;
  sheet->Range("A1:E6")->AutoFormat(options);
  sheet->Range("A1:E6")->AutoFilter();
  sheet->Range("A9")->Value(std::string("Plain text"));
  sheet->Range("B9")->Value(12345678901234.0);
  sheet->Range("A11")->Value(std::string("A longer note that runs on over the empty cells to its right"));
  app->Range("B3")->Select();
  window->refresh();
  testing::settle();
  const auto shot = testing::artefactDir() / "host_window_table.png";
  EXPECT_TRUE(window->grab().save(QString::fromStdString(shot.string())));
}

}  // namespace
}  // namespace tavrello::gui
