#include "platform/db/column.h"

#include <gtest/gtest.h>

namespace tavrello::db {
namespace {

TEST(Column, NullsAreFlaggedPerRowAcrossBitmapWords) {
  Column c("n", DataType::Integer);
  for (std::int64_t i = 0; i < 200; ++i) {
    if (i % 3 == 0) c.appendNull();
    else c.appendInteger(i);
  }
  ASSERT_EQ(c.size(), 200u);
  for (std::size_t i = 0; i < 200; ++i) {
    EXPECT_EQ(c.isNull(i), i % 3 == 0) << i;
    if (i % 3) {
      EXPECT_EQ(c.int64(i), static_cast<std::int64_t>(i));
    }
  }
}

TEST(Column, FirstNullAfterManyRowsDoesNotMarkEarlierRows) {
  Column c("s", DataType::Text);
  for (int i = 0; i < 130; ++i) c.appendText("x");
  c.appendNull();
  c.appendText("after");
  EXPECT_FALSE(c.isNull(0));
  EXPECT_FALSE(c.isNull(129));
  EXPECT_TRUE(c.isNull(130));
  EXPECT_FALSE(c.isNull(131));
  EXPECT_EQ(c.text(131), "after");
  EXPECT_EQ(c.text(130), "");
}

TEST(Column, TextsArePackedAndReadBackExactly) {
  Column c("s", DataType::Text);
  c.appendText("Ἀθῆναι");
  c.appendText("");
  c.appendText(std::string(100000, 'q'));
  c.appendText("東京");
  EXPECT_EQ(c.text(0), "Ἀθῆναι");
  EXPECT_EQ(c.text(1), "");
  EXPECT_EQ(c.text(2).size(), 100000u);
  EXPECT_EQ(c.text(3), "東京");
}

TEST(Column, DecimalsKeepTheirTextAndGiveADouble) {
  Column c("d", DataType::Decimal);
  c.appendDecimal("-12.50");
  c.appendDecimal("100000000000000000000.01");
  EXPECT_EQ(c.text(0), "-12.50");
  EXPECT_DOUBLE_EQ(c.real(0), -12.5);
  EXPECT_EQ(c.display(1), "100000000000000000000.01");
}

TEST(Column, DisplayShowsEveryTypeReadably) {
  Column i("i", DataType::Integer), d("d", DataType::Double), b("b", DataType::Boolean), t("t", DataType::Time),
      bin("x", DataType::Binary);
  i.appendInteger(-42);
  d.appendDouble(0.1);
  b.appendBoolean(true);
  b.appendBoolean(false);
  t.appendSerial(0.75, DataType::Time);
  const std::byte raw[] = {std::byte{0xde}, std::byte{0xad}};
  bin.appendBytes(raw);
  EXPECT_EQ(i.display(0), "-42");
  EXPECT_EQ(d.display(0), "0.1");
  EXPECT_EQ(b.display(0), "True");
  EXPECT_EQ(b.display(1), "False");
  EXPECT_EQ(t.display(0), "18:00:00");
  EXPECT_EQ(bin.display(0), "dead");
}

TEST(Column, UntypedColumnTakesTheTypeOfItsFirstValueAfterNulls) {
  Column c("e", DataType::Null);
  c.appendNull();
  c.appendNull();
  c.appendDouble(2.5);
  EXPECT_EQ(c.type(), DataType::Double);
  EXPECT_TRUE(c.isNull(0));
  EXPECT_TRUE(c.isNull(1));
  EXPECT_DOUBLE_EQ(c.real(2), 2.5);
}

TEST(Column, IntegerColumnWidensToDoubleThenDecimal) {
  Column c("n", DataType::Integer);
  c.appendInteger(3);
  c.appendDouble(0.5);
  EXPECT_EQ(c.type(), DataType::Double);
  EXPECT_DOUBLE_EQ(c.real(0), 3);
  c.appendDecimal("1.25");
  EXPECT_EQ(c.type(), DataType::Decimal);
  EXPECT_EQ(c.text(0), "3");
  EXPECT_EQ(c.text(1), "0.5");
  EXPECT_EQ(c.text(2), "1.25");
}

TEST(Column, TextInANumberColumnTurnsItIntoTextKeepingEarlierRows) {
  Column c("n", DataType::Integer);
  c.appendInteger(7);
  c.appendNull();
  c.appendText("n/a");
  EXPECT_EQ(c.type(), DataType::Text);
  EXPECT_EQ(c.text(0), "7");
  EXPECT_TRUE(c.isNull(1));
  EXPECT_EQ(c.text(2), "n/a");
}

TEST(Column, DateColumnParsesIsoTextAndWidensForTimes) {
  Column c("d", DataType::Date);
  c.appendText("2024-03-05");
  EXPECT_EQ(c.type(), DataType::Date);
  c.appendText("2024-03-06 12:00:00");
  EXPECT_EQ(c.type(), DataType::DateTime);
  EXPECT_DOUBLE_EQ(c.serial(0), 45356);
  EXPECT_DOUBLE_EQ(c.serial(1), 45357.5);
  c.appendText("someday");
  EXPECT_EQ(c.type(), DataType::Text);
  EXPECT_EQ(c.text(0), "2024-03-05 00:00:00");
  EXPECT_EQ(c.text(2), "someday");
}

TEST(Column, BooleanColumnTakesIntegersAsIntegers) {
  Column c("b", DataType::Boolean);
  c.appendBoolean(true);
  c.appendInteger(5);
  EXPECT_EQ(c.type(), DataType::Integer);
  EXPECT_EQ(c.int64(0), 1);
  EXPECT_EQ(c.int64(1), 5);
}

TEST(Column, BytesAmongTextMakeABinaryColumn) {
  Column c("x", DataType::Text);
  c.appendText("ab");
  const std::byte raw[] = {std::byte{0}, std::byte{0xff}};
  c.appendBytes(raw);
  EXPECT_EQ(c.type(), DataType::Binary);
  EXPECT_EQ(c.display(0), "6162");
  EXPECT_EQ(c.display(1), "00ff");
}

TEST(Column, MillionRowsKeepEveryValue) {
  Column c("id", DataType::Integer);
  Column s("s", DataType::Text);
  for (std::int64_t i = 0; i < 1000000; ++i) {
    c.appendInteger(i * 3);
    s.appendText(i % 2 ? "odd" : "even");
  }
  EXPECT_EQ(c.int64(999999), 2999997);
  EXPECT_EQ(s.text(999999), "odd");
  EXPECT_EQ(s.text(500000), "even");
}

TEST(Column, RowsAfterAReleasedPrefixReadAsBefore) {
  Column text("t", DataType::Text), number("n", DataType::Integer);
  const auto word = [](int i) { return "text " + std::to_string(i); };
  constexpr int kRows = 300000;  // large enough for mapped storage
  for (int i = 0; i < kRows; ++i) {
    text.appendText(word(i));
    number.appendInteger(i * 7);
  }
  text.releaseRowsBefore(200001);
  number.releaseRowsBefore(200001);
  for (int i : {200001, 200002, 250000, kRows - 1}) {
    EXPECT_EQ(text.text(static_cast<std::size_t>(i)), word(i));
    EXPECT_EQ(number.int64(static_cast<std::size_t>(i)), i * 7);
  }
  text.releaseRowsBefore(kRows);
  EXPECT_EQ(text.size(), 0u);
  EXPECT_EQ(text.name(), "t");
  EXPECT_EQ(text.type(), DataType::Text);
}

}  // namespace
}  // namespace tavrello::db
