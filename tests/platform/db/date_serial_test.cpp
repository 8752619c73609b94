#include "platform/db/date_serial.h"

#include <gtest/gtest.h>

namespace tavrello::db {
namespace {

TEST(DateSerial, DaysCountFromTheEndOf1899LikeSpreadsheetSerials) {
  EXPECT_DOUBLE_EQ(dateSerial(1899, 12, 30), 0);
  EXPECT_DOUBLE_EQ(dateSerial(1900, 3, 1), 61);
  EXPECT_DOUBLE_EQ(dateSerial(2024, 3, 5), 45356);
  EXPECT_DOUBLE_EQ(dateSerial(1899, 12, 28), -2);
  EXPECT_DOUBLE_EQ(dateSerial(9999, 12, 31), 2958465);
}

TEST(DateSerial, CalendarDayTurnsAWholeSerialBackIntoItsDate) {
  struct Date {
    int year, month, day;
  };
  for (const Date date : {Date{1899, 12, 30}, Date{1899, 12, 28}, Date{1900, 2, 28}, Date{1900, 3, 1},
                          Date{2024, 2, 29}, Date{2024, 3, 1}, Date{1, 1, 1}, Date{9999, 12, 31}}) {
    const CalendarDay back = calendarDay(static_cast<std::int64_t>(dateSerial(date.year, date.month, date.day)));
    EXPECT_EQ(back.year, date.year);
    EXPECT_EQ(back.month, static_cast<unsigned>(date.month));
    EXPECT_EQ(back.day, static_cast<unsigned>(date.day));
  }
}

TEST(DateSerial, ParsesEachKindStrictly) {
  EXPECT_EQ(parseSerial("2024-03-05", DataType::Date), 45356);
  EXPECT_DOUBLE_EQ(*parseSerial("12:00", DataType::Time), 0.5);
  EXPECT_DOUBLE_EQ(*parseSerial("06:00:00.5", DataType::Time), 0.25 + 0.5 / 86400);
  EXPECT_DOUBLE_EQ(*parseSerial("2024-03-05 18:00:00", DataType::DateTime), 45356.75);
  EXPECT_DOUBLE_EQ(*parseSerial("2024-03-05T18:00", DataType::DateTime), 45356.75);
  EXPECT_DOUBLE_EQ(*parseSerial("2024-03-05", DataType::DateTime), 45356);
}

TEST(DateSerial, RefusesImpossibleOrTrailingText) {
  EXPECT_FALSE(parseSerial("2023-02-29", DataType::Date));
  EXPECT_TRUE(parseSerial("2024-02-29", DataType::Date));
  EXPECT_FALSE(parseSerial("2024-13-01", DataType::Date));
  EXPECT_FALSE(parseSerial("2024-3-5", DataType::Date));
  EXPECT_FALSE(parseSerial("2024-03-05 10:00", DataType::Date));
  EXPECT_FALSE(parseSerial("24:00", DataType::Time));
  EXPECT_FALSE(parseSerial("12:60", DataType::Time));
  EXPECT_FALSE(parseSerial("2024-03-05 10:00Z", DataType::DateTime));
  EXPECT_FALSE(parseSerial("", DataType::DateTime));
  EXPECT_FALSE(parseSerial("12:00:00.", DataType::Time));
}

TEST(DateSerial, FormatsWithMillisecondsOnlyWhenThereAreAny) {
  EXPECT_EQ(formatSerial(45356, DataType::Date), "2024-03-05");
  EXPECT_EQ(formatSerial(45356.75, DataType::DateTime), "2024-03-05 18:00:00");
  EXPECT_EQ(formatSerial(0.5 + 0.25 / 86400, DataType::Time), "12:00:00.250");
  EXPECT_EQ(formatSerial(-1.25, DataType::DateTime), "1899-12-28 18:00:00");
}

TEST(DateSerial, AlmostMidnightRoundsIntoTheNextDayInsteadOfSecondSixty) {
  EXPECT_EQ(formatSerial(45356 + 0.9999999999, DataType::DateTime), "2024-03-06 00:00:00");
}

TEST(DateSerial, TextRoundTrips) {
  for (const char* text : {"0001-01-01 00:00:00", "1900-02-28 23:59:59", "2038-01-19 03:14:07.999"}) {
    EXPECT_EQ(formatSerial(*parseSerial(text, DataType::DateTime), DataType::DateTime), text);
  }
}

}  // namespace
}  // namespace tavrello::db
