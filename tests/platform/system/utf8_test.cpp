#include "platform/system/utf8.h"

#include <gtest/gtest.h>

namespace tavrello::sys {
namespace {

TEST(Utf8, BytesThatBeginNoSequenceBecomeTheReplacementCharacterAndTheRestStays) {
  EXPECT_EQ(replaceInvalidUtf8("plain"), "plain");
  EXPECT_EQ(replaceInvalidUtf8("caf\xC3\xA9 \xF0\x9F\x98\x80"), "caf\xC3\xA9 \xF0\x9F\x98\x80");
  EXPECT_EQ(replaceInvalidUtf8("a\x80z"), "a\xEF\xBF\xBDz");
  EXPECT_EQ(replaceInvalidUtf8("\xC3"), "\xEF\xBF\xBD") << "cut short";
  EXPECT_EQ(replaceInvalidUtf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD") << "overlong";
  EXPECT_EQ(replaceInvalidUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD") << "a surrogate half";
}

TEST(Utf8, LengthsAreCountedInUtf16Units) {
  EXPECT_EQ(utf16Length(""), 0u);
  EXPECT_EQ(utf16Length("Sheet1"), 6u);
  EXPECT_EQ(utf16Length("\xE8\xA1\xA8\xC3\xA9"), 2u);
  EXPECT_EQ(utf16Length("\xF0\x9F\x98\x80"), 2u) << "a surrogate pair";
  EXPECT_EQ(utf16Length("a\x80\x81z"), 4u) << "each bad byte as the one character it is saved as";
  EXPECT_EQ(utf16Length("a\x80\x81z"), utf16Length(replaceInvalidUtf8("a\x80\x81z")));
}

}  // namespace
}  // namespace tavrello::sys
