#include "platform/host/workbook/auto_format.h"

#include <gtest/gtest.h>

#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_range.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::host {
namespace {

class AutoFormatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = WorkbookApplication::create();
    app->Workbooks()->Add();
    sheet = sheetRange(app->Range("A1")).sheet();
    // Heading row and four data rows at C5.
    app->Range("C5")->Value("Customer name");
    app->Range("D5")->Value("Amount");
    for (int i = 0; i < 4; ++i) {
      app->Range("C6")->Offset(i, 0)->Value("c" + std::to_string(i));
      app->Range("D6")->Offset(i, 0)->Value(1000.0 * i);
    }
  }

  const CellStyle& styleAt(std::int32_t row, std::int32_t column) {
    const Cell* cell = sheet->cells().find(row, column);
    return styles().style(cell ? cell->style() : 0);
  }
  const FontStyle& fontAt(std::int32_t row, std::int32_t column) { return styles().font(styleAt(row, column).font); }
  const FillStyle& fillAt(std::int32_t row, std::int32_t column) { return styles().fill(styleAt(row, column).fill); }
  StyleTable& styles() { return sheet->book()->styles(); }

  std::shared_ptr<WorkbookApplication> app;
  std::shared_ptr<Sheet> sheet;
};

TEST_F(AutoFormatTest, EachDesignSetsTheHeadingRowApartFromTheBody) {
  for (int design : {RangeAutoFormat::Color1, RangeAutoFormat::Color3, RangeAutoFormat::List1, RangeAutoFormat::List2}) {
    app->Range("C5:D9")->AutoFormat({design});
    EXPECT_TRUE(fontAt(5, 3).bold) << design;
    EXPECT_EQ(fillAt(5, 3).pattern, FillPattern::Solid) << design;
    EXPECT_EQ(styleAt(5, 4).alignment.horizontal, HorizontalAlignment::Center) << design;
    EXPECT_NE(styleAt(5, 4).fill, styleAt(7, 4).fill) << design;
    EXPECT_FALSE(fontAt(7, 4).bold) << design;
    EXPECT_NE(styles().border(styleAt(5, 4).border).bottom.line, BorderLine::None) << design;
    // Outside the block nothing changes.
    EXPECT_TRUE(sheet->cells().find(10, 3)->isBlank());
    EXPECT_EQ(styleAt(5, 5), CellStyle{});
  }
}

TEST_F(AutoFormatTest, TheListDesignsBandTheBodyRows) {
  app->Range("C5:D9")->AutoFormat({RangeAutoFormat::List2});
  EXPECT_EQ(fillAt(6, 4).pattern, FillPattern::None);
  EXPECT_EQ(fillAt(7, 4).pattern, FillPattern::Solid);
  EXPECT_EQ(fillAt(7, 4).color, 0xCCFFCCu);
  EXPECT_EQ(fillAt(8, 4).pattern, FillPattern::None);
  EXPECT_EQ(fillAt(5, 4).color, 0x008000u);
  app->Range("C5:D9")->AutoFormat({RangeAutoFormat::List1});
  EXPECT_EQ(fillAt(7, 4).color, 0xDDDDDDu);
  EXPECT_EQ(fillAt(5, 4).color, 0x808080u);
}

TEST_F(AutoFormatTest, ColorfulOneGivesTheFirstColumnItsOwnLook) {
  app->Range("C5:D9")->AutoFormat({RangeAutoFormat::Color1});
  EXPECT_EQ(fillAt(5, 3).color, 0x000000u);
  EXPECT_EQ(fontAt(5, 3).color, 0xFFFFFFu);
  EXPECT_TRUE(fontAt(5, 3).italic);
  EXPECT_TRUE(fontAt(7, 3).bold);
  EXPECT_EQ(fillAt(7, 3).color, 0x000080u);
  EXPECT_EQ(fillAt(7, 4).color, 0x008080u);
  EXPECT_EQ(fontAt(7, 4).color, 0xCCFFFFu);  // light turquoise
}

TEST_F(AutoFormatTest, WidthFitsTheColumnsToTheirWidestText) {
  app->Range("C5:D9")->AutoFormat({RangeAutoFormat::Color3});
  // "Customer name": 13 characters, bold heading.
  EXPECT_NEAR(sheet->columnWidth(3), 13 * 1.1 + 0.71, 0.01);
  EXPECT_NEAR(sheet->columnWidth(4), 6 * 1.1 + 0.71, 0.01);  // "Amount" beats "3000"
  EXPECT_EQ(sheet->columnWidth(5), Sheet::kDefaultColumnWidth);
  AutoFormatOptions noWidth{RangeAutoFormat::List1};
  noWidth.Width = false;
  app->Range("D5")->Value("A much longer heading");
  app->Range("C5:D9")->AutoFormat(noWidth);
  EXPECT_NEAR(sheet->columnWidth(4), 6 * 1.1 + 0.71, 0.01);
}

TEST_F(AutoFormatTest, FlagsLeaveTheirPartAlone) {
  AutoFormatOptions fontsOnly{RangeAutoFormat::List2, false, true, false, false, false, false};
  app->Range("C5:D9")->AutoFormat(fontsOnly);
  EXPECT_TRUE(fontAt(5, 3).bold);
  EXPECT_EQ(fillAt(5, 3).pattern, FillPattern::None);
  EXPECT_EQ(styleAt(5, 3).border, 0u);
  EXPECT_EQ(styleAt(5, 3).alignment.horizontal, HorizontalAlignment::General);
}

TEST_F(AutoFormatTest, DatesKeepTheirFormat) {
  app->Range("D7")->Value(DateTime{45292});
  app->Range("C5:D9")->AutoFormat({RangeAutoFormat::List1});
  EXPECT_TRUE(std::holds_alternative<DateTime>(app->Range("D7")->Value()));
}

TEST_F(AutoFormatTest, ASingleRowIsFormattedAsAHeading) {
  app->Range("C5:D5")->AutoFormat({RangeAutoFormat::List2});
  EXPECT_TRUE(fontAt(5, 3).bold);
  EXPECT_EQ(sheet->cells().find(6, 3)->style(), 0u);
}

TEST_F(AutoFormatTest, AnyOtherDesignFailsWithoutChangingAnything) {
  for (int design : {1, 8, 12, -4142}) {
    try {
      app->Range("C5:D9")->AutoFormat({design});
      ADD_FAILURE() << design << " was accepted";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number(), 1004);
    }
  }
  EXPECT_EQ(styles().styleCount(), 1u);
  EXPECT_TRUE(sheet->columnWidths().empty());
}

}  // namespace
}  // namespace tavrello::host
