#include "platform/host/workbook/style_table.h"

#include <gtest/gtest.h>

namespace tavrello::host {
namespace {

TEST(StyleTable, IndexZeroIsTheDefaultAndEqualEntriesAreKeptOnce) {
  StyleTable styles;
  EXPECT_EQ(styles.addStyle(CellStyle{}), 0u);
  FontStyle bold;
  bold.bold = true;
  auto font = styles.addFont(bold);
  EXPECT_EQ(styles.addFont(bold), font);
  CellStyle style;
  style.font = font;
  auto index = styles.addStyle(style);
  EXPECT_EQ(styles.addStyle(style), index);
  EXPECT_EQ(styles.styleCount(), 2u);
}

TEST(StyleTable, StylesDifferingInAnyPartAreToldApart) {
  StyleTable styles;
  CellStyle base;
  std::vector<CellStyle> variants(6, base);
  variants[0].numberFormat = 1;
  variants[1].font = 1;
  variants[2].fill = 1;
  variants[3].border = 1;
  variants[4].alignment.horizontal = HorizontalAlignment::Right;
  variants[5].alignment.wrapText = true;
  for (std::uint32_t i = 0; i < variants.size(); ++i) EXPECT_EQ(styles.addStyle(variants[i]), i + 1);
  for (std::uint32_t i = 0; i < variants.size(); ++i) EXPECT_EQ(styles.addStyle(variants[i]), i + 1);
  EXPECT_EQ(styles.style(5).alignment.horizontal, HorizontalAlignment::Right);
  EXPECT_EQ(styles.styleCount(), 7u);
}

TEST(StyleTable, OwnNumberFormatsGetIdsFrom164AndKnowWhetherTheyAreDates) {
  StyleTable styles;
  auto date = styles.addNumberFormat(number_format::kDate);
  EXPECT_EQ(styles.numberFormat(date).id, 164u);
  EXPECT_TRUE(styles.numberFormat(date).isDate);
  auto money = styles.addNumberFormat("#,##0.00");
  EXPECT_EQ(styles.numberFormat(money).id, 165u);
  EXPECT_FALSE(styles.numberFormat(money).isDate);
  EXPECT_EQ(styles.addNumberFormat("General"), 0u);
  auto dated = styles.withNumberFormat(0, date);
  EXPECT_TRUE(styles.isDateStyle(dated));
  EXPECT_FALSE(styles.isDateStyle(0));
}

TEST(StyleTable, DateCodesAreToldFromOtherCodes) {
  for (const char* code : {"yyyy-mm-dd", "d/m/yy", "hh:mm:ss", "[h]:mm", "mmm d", "[$-409]dddd, mmmm d"})
    EXPECT_TRUE(isDateFormatCode(code)) << code;
  for (const char* code : {"General", "0.00", "#,##0", "\"days\" 0", "[Red]0.0", "0.00E+00", "\\d0", "@"})
    EXPECT_FALSE(isDateFormatCode(code)) << code;
}

}  // namespace
}  // namespace tavrello::host
