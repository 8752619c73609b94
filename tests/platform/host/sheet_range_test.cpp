#include "platform/host/workbook/sheet_range.h"

#include <gtest/gtest.h>

#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "support_lib/failure_number.h"

namespace tavrello::host {
namespace {

using tavrello::testing::failureNumber;

class SheetRangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = WorkbookApplication::create();
    app->Workbooks()->Add();
  }

  std::shared_ptr<WorkbookApplication> app;
};

TEST_F(SheetRangeTest, AddressRowColumnAndCountDescribeTheRange) {
  auto block = app->Range("B2:D4");
  EXPECT_EQ(block->Address(), "$B$2:$D$4");
  EXPECT_EQ(block->Row(), 2);
  EXPECT_EQ(block->Column(), 2);
  EXPECT_EQ(block->Cells()->Count(), 9);
  EXPECT_EQ(app->Range("b3")->Address(), "$B$3");
  EXPECT_EQ(app->Range("XFD1048576")->Cells()->Count(), 1);
}

TEST_F(SheetRangeTest, OffsetReachesTheGridsLastCellAndFailsOneBeyond) {
  auto a1 = app->Range("A1");
  EXPECT_EQ(a1->Offset(1048575, 16383)->Address(), "$XFD$1048576");
  EXPECT_EQ(failureNumber([&] { a1->Offset(1048576, 0); }), 1004);
  EXPECT_EQ(failureNumber([&] { a1->Offset(0, 16384); }), 1004);
  EXPECT_EQ(failureNumber([&] { a1->Offset(-1, 0); }), 1004);
  EXPECT_EQ(app->Range("C5")->Offset(-4, -2)->Address(), "$A$1");
  // A block moves whole: its far corner must fit as well.
  EXPECT_EQ(failureNumber([&] { app->Range("A1:B2")->Offset(1048575, 0); }), 1004);
  EXPECT_EQ(failureNumber([&] { a1->Offset(2147483647, 0); }), 1004);
}

TEST_F(SheetRangeTest, OlderHostsHaveTheSmallerGrid) {
  auto old = WorkbookApplication::create("11.0");
  old->Workbooks()->Add();
  EXPECT_EQ(old->Range("A1")->Offset(65535, 255)->Address(), "$IV$65536");
  EXPECT_EQ(failureNumber([&] { old->Range("A1")->Offset(65536, 0); }), 1004);
  EXPECT_EQ(failureNumber([&] { old->Range("IW1"); }), 1004);
}

TEST_F(SheetRangeTest, ResizeKeepsTheTopLeftCell) {
  EXPECT_EQ(app->Range("C5")->Resize(10, 3)->Address(), "$C$5:$E$14");
  EXPECT_EQ(failureNumber([&] { app->Range("C5")->Resize(0, 1); }), 1004);
  EXPECT_EQ(failureNumber([&] { app->Range("A1048576")->Resize(2, 1); }), 1004);
}

TEST_F(SheetRangeTest, ValuesKeepTheirTypes) {
  auto cell = app->Range("A1");
  cell->Value(42.5);
  EXPECT_EQ(std::get<double>(cell->Value()), 42.5);
  cell->Value(std::string("Grüße"));
  EXPECT_EQ(std::get<std::string>(cell->Value()), "Grüße");
  cell->Value("plain text");
  EXPECT_EQ(std::get<std::string>(cell->Value()), "plain text");
  cell->Value(true);
  EXPECT_EQ(std::get<bool>(cell->Value()), true);
  cell->Value(CellError::NA);
  EXPECT_EQ(std::get<CellError>(cell->Value()), CellError::NA);
  cell->Value(CellValue{});
  EXPECT_TRUE(std::holds_alternative<std::monostate>(cell->Value()));
  cell->Value(std::string());
  EXPECT_TRUE(std::holds_alternative<std::monostate>(cell->Value()));
}

TEST_F(SheetRangeTest, ADateTimeGetsADateFormatAndReadsBackAsADate) {
  auto date = app->Range("A1");
  date->Value(DateTime{45292});
  EXPECT_EQ(std::get<DateTime>(date->Value()).serial, 45292);
  auto sheet = sheetRange(date).sheet();
  const StyleTable& styles = sheet->book()->styles();
  auto format = [&](const char* address) {
    const CellRect rect = sheetRange(app->Range(address)).rect();
    return styles.numberFormat(styles.style(sheet->cells().find(rect.top, rect.left)->style()).numberFormat).code;
  };
  EXPECT_EQ(format("A1"), "yyyy-mm-dd");
  app->Range("A2")->Value(DateTime{45292.5});
  EXPECT_EQ(format("A2"), "yyyy-mm-dd hh:mm:ss");
  // A number written over a date keeps the cell's date format.
  date->Value(45300.0);
  EXPECT_EQ(std::get<DateTime>(date->Value()).serial, 45300);
}

TEST_F(SheetRangeTest, SettingTheValueOfABlockFillsEveryCell) {
  app->Range("B2:C3")->Value(std::string("x"));
  EXPECT_EQ(std::get<std::string>(app->Range("C3")->Value()), "x");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(app->Range("D4")->Value()));
}

TEST_F(SheetRangeTest, SelectActivatesTheSheetAndMakesTheTopLeftCellActive) {
  auto book = app->activeBook();
  auto second = book->Worksheets()->Add();
  book->Worksheets()->Item(1)->Activate();
  EXPECT_EQ(app->ActiveSheet()->Name(), "Sheet1");
  second->Select();
  EXPECT_EQ(app->ActiveSheet()->Name(), "Sheet2");
  book->Worksheets()->Item(1)->Activate();
  second->Range("C4:E9")->Select();
  EXPECT_EQ(app->ActiveSheet()->Name(), "Sheet2");
  EXPECT_EQ(app->ActiveCell()->Address(), "$C$4");
  EXPECT_EQ(app->ActiveCell()->Parent()->Name(), "Sheet2");
}

TEST_F(SheetRangeTest, RangeOverTwoCornersSpansBothAndStaysOnOneSheet) {
  auto sheet = app->ActiveSheet();
  auto block = app->Range(app->Range("C5"), app->Range("C5")->Offset(9, 2));
  EXPECT_EQ(block->Address(), "$C$5:$E$14");
  EXPECT_EQ(sheet->Range(sheet->Range("E2"), sheet->Range("B7"))->Address(), "$B$2:$E$7");
  auto other = app->activeBook()->Worksheets()->Add();
  EXPECT_EQ(failureNumber([&] { app->Range(sheet->Range("A1"), other->Range("B2")); }), 1004);
  EXPECT_EQ(failureNumber([&] { app->Range(nullptr, sheet->Range("B2")); }), 91);
}

TEST_F(SheetRangeTest, AutoFilterSwitchesOnOverTheRangeAndOffOnTheSameRange) {
  auto sheet = sheetRange(app->Range("A1")).sheet();
  app->Range("C5:E14")->AutoFilter();
  ASSERT_TRUE(sheet->autoFilter());
  EXPECT_EQ(*sheet->autoFilter(), (CellRect{5, 3, 14, 5}));
  EXPECT_TRUE(app->ActiveSheet()->AutoFilterMode());
  app->Range("C5:E14")->AutoFilter();
  EXPECT_FALSE(sheet->autoFilter());
  EXPECT_FALSE(app->ActiveSheet()->AutoFilterMode());
}

TEST_F(SheetRangeTest, ASheetHasOneAutoFilterThatMovesToANewRange) {
  auto sheet = sheetRange(app->Range("A1")).sheet();
  app->Range("A1:B3")->AutoFilter();
  app->Range("D1:F9")->AutoFilter();
  EXPECT_EQ(*sheet->autoFilter(), (CellRect{1, 4, 9, 6}));
  EXPECT_EQ(failureNumber([&] { app->ActiveSheet()->AutoFilterMode(true); }), 1004);
  app->ActiveSheet()->AutoFilterMode(false);
  EXPECT_FALSE(sheet->autoFilter());
}

TEST_F(SheetRangeTest, SheetNamesAreCheckedAndUniqueInTheirWorkbook) {
  auto sheets = app->activeBook()->Worksheets();
  auto second = sheets->Add();
  EXPECT_EQ(second->Name(), "Sheet2");
  EXPECT_EQ(failureNumber([&] { second->Name("sheet1"); }), 1004);
  EXPECT_EQ(failureNumber([&] { second->Name("a/b"); }), 1004);
  EXPECT_EQ(failureNumber([&] { second->Name(std::string(32, 'x')); }), 1004);
  // Characters are counted, not bytes: 31 three-byte characters are a name.
  std::string kanji;
  for (int i = 0; i < 31; ++i) kanji += "\xE8\xA1\xA8";
  second->Name(kanji);
  EXPECT_EQ(second->Name(), kanji);
  EXPECT_EQ(failureNumber([&] { second->Name(kanji + "x"); }), 1004);
  second->Name("Data 2024");
  EXPECT_EQ(sheets->Item("data 2024")->Index(), 2);
  EXPECT_EQ(app->Range("'Data 2024'!B3")->Parent()->Name(), "Data 2024");
  EXPECT_EQ(failureNumber([&] { sheets->Item(3); }), 9);
  EXPECT_EQ(failureNumber([&] { app->Range("Nowhere!A1"); }), 1004);
  EXPECT_EQ(failureNumber([&] { second->Range("Sheet1!A1"); }), 1004);
}

}  // namespace
}  // namespace tavrello::host
