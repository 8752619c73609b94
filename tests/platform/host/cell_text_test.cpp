#include "platform/host/workbook/cell_text.h"

#include <gtest/gtest.h>

#include "platform/host/workbook/date_serial.h"

namespace tavrello::host {
namespace {

TEST(CellText, GeneralNumbersShowAtMostElevenCharacters) {
  EXPECT_EQ(generalNumberText(42), "42");
  EXPECT_EQ(generalNumberText(-12.5), "-12.5");
  EXPECT_EQ(generalNumberText(1.0 / 3), "0.333333333");
  EXPECT_EQ(generalNumberText(12345678901.0), "12345678901");
  EXPECT_EQ(generalNumberText(123456789012345.0), "1.23457E+14");
  EXPECT_EQ(generalNumberText(0.000000000123), "1.23E-10");
}

TEST(CellText, DateCodesShowDatesAndTimes) {
  double serial = dateSerial(2024, 3, 5) + (13 * 3600 + 45 * 60 + 10) / 86400.0;
  EXPECT_EQ(dateText(serial, "yyyy-mm-dd"), "2024-03-05");
  EXPECT_EQ(dateText(serial, "hh:mm:ss"), "13:45:10");
  EXPECT_EQ(dateText(serial, "yyyy-mm-dd hh:mm:ss"), "2024-03-05 13:45:10");
  EXPECT_EQ(dateText(serial, "d/m/yy"), "5/3/24");
}

TEST(CellDateSerial, CountsDaysFromTheSpreadsheetsEpoch) {
  EXPECT_EQ(dateSerial(1900, 3, 1), 61);
  EXPECT_EQ(dateSerial(2024, 1, 1), 45292);
  EXPECT_EQ(dateSerial(1899, 12, 30), 0);
  CivilDateTime back = civilFromSerial(45292.75);
  EXPECT_EQ(back.year, 2024);
  EXPECT_EQ(back.month, 1);
  EXPECT_EQ(back.day, 1);
  EXPECT_EQ(back.hour, 18);
}

TEST(CellText, WideCharactersCountDouble) {
  EXPECT_EQ(textWidthInCharacters("abc"), 3);
  EXPECT_EQ(textWidthInCharacters("Zürich"), 6);
  EXPECT_EQ(textWidthInCharacters("東京"), 4);
}

}  // namespace
}  // namespace tavrello::host
