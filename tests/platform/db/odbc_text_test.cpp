#include "platform/db/odbc_text.h"

#include <gtest/gtest.h>

namespace tavrello::db {
namespace {

TEST(OdbcText, ScriptsAndAstralCharactersRoundTrip) {
  const std::string text = "Zoë Ἀθῆναι Москва 東京 😀";
  const OdbcWideString wide = toOdbcWide(text);
  EXPECT_EQ(wide.size(), 23u);  // the emoji takes a surrogate pair
  EXPECT_EQ(fromOdbcWide(wide.data(), wide.size()), text);
}

TEST(OdbcText, MalformedUtf8BecomesReplacementCharacters) {
  const OdbcWideString wide = toOdbcWide("a\xff" "b\xe2\x82");
  // One replacement per byte that starts no valid sequence.
  ASSERT_EQ(wide.size(), 5u);
  EXPECT_EQ(wide[1], 0xFFFD);
  EXPECT_EQ(wide[2], 'b');
  EXPECT_EQ(wide[3], 0xFFFD);
  EXPECT_EQ(wide[4], 0xFFFD);
  EXPECT_EQ(toOdbcWide("\xc0\x80")[0], 0xFFFD);  // overlong NUL
}

TEST(OdbcText, LoneSurrogatesBecomeReplacementCharacters) {
  const SQLWCHAR units[] = {'x', 0xD800, 'y', 0xDC00};
  EXPECT_EQ(fromOdbcWide(units, 4), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tavrello::db
