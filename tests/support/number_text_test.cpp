#include "support/number_text.h"

#include <gtest/gtest.h>

#include "platform/system/failure.h"

namespace tavrello {
namespace {

std::int32_t failureNumberOf(std::string_view text) {
  try {
    wholeNumberFromText(text);
  } catch (const Failure& f) {
    return f.number();
  }
  return 0;
}

TEST(WholeNumberFromText, ReadsDecimalDigitsWithSignAndSurroundingBlanks) {
  EXPECT_EQ(wholeNumberFromText("30"), 30);
  EXPECT_EQ(wholeNumberFromText("07"), 7);
  EXPECT_EQ(wholeNumberFromText(" 4 "), 4);
  EXPECT_EQ(wholeNumberFromText("-12"), -12);
  EXPECT_EQ(wholeNumberFromText("+3"), 3);
  EXPECT_EQ(wholeNumberFromText("2147483647"), 2147483647);
  EXPECT_EQ(wholeNumberFromText("-2147483648"), INT32_MIN);
}

TEST(WholeNumberFromText, AnythingElseIsATypeMismatch) {
  for (const char* text : {"", "   ", "abc", "1a", "3<", "1.5", "--1", "+-1", "-", "1 2", "\t1", "0x1F"}) {
    EXPECT_EQ(failureNumberOf(text), 13) << '"' << text << '"';
  }
}

TEST(WholeNumberFromText, NumbersBeyondThirtyTwoBitsOverflow) {
  EXPECT_EQ(failureNumberOf("2147483648"), 6);
  EXPECT_EQ(failureNumberOf("-2147483649"), 6);
  EXPECT_EQ(failureNumberOf("99999999999999999999999"), 6);
}

}  // namespace
}  // namespace tavrello
