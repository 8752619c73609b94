#include "platform/system/printable_text.h"

#include <gtest/gtest.h>

namespace tavrello::sys {
namespace {

TEST(PrintableText, EscapeSequencesBellsAndLineBreaksAreWrittenOut) {
  EXPECT_EQ(printableText("Sales\x1b[2J\x1b]0;owned\x07"), "Sales\\x1b[2J\\x1b]0;owned\\x07");
  EXPECT_EQ(printableText("a\r\nb\tc\x7f"), "a\\x0d\\x0ab\\x09c\\x7f");
  EXPECT_EQ(printableText(std::string_view("nul\0here", 8)), "nul\\x00here");
}

TEST(PrintableText, ControlsOfTheUpperHalfAndBytesThatAreNotUtf8AreEscapedToo) {
  // U+009B is the one-character escape sequence introducer some terminals obey.
  EXPECT_EQ(printableText("\xc2\x9b" "6n"), "\\u009b6n");
  EXPECT_EQ(printableText("\x9b" "6n"), "\\x9b6n");
  EXPECT_EQ(printableText("cut \xe2\x82"), "cut \\xe2\\x82");
  EXPECT_EQ(printableText("\xed\xa0\x80"), "\\xed\\xa0\\x80") << "a surrogate is no character";
}

TEST(PrintableText, LettersOfEveryLanguageAndPathsPassUnchanged) {
  const std::string text = "Ελληνικά русский 中文 ñ 😀 C:\\data\\sales.db \"quoted\" 'x'";
  EXPECT_EQ(printableText(text), text);
  EXPECT_EQ(printableText(""), "");
}

}  // namespace
}  // namespace tavrello::sys
