#include "import/formatting_schemes.h"

#include <gtest/gtest.h>

namespace tavrello {
namespace {

TEST(GetFormatIDByString, NamesTheFourSchemesInAnyLetterCase) {
  EXPECT_EQ(GetFormatIDByString("Grey and White"), 1);
  EXPECT_EQ(GetFormatIDByString("GREEN AND WHITE"), 2);
  EXPECT_EQ(GetFormatIDByString("green and black"), 3);
  EXPECT_EQ(GetFormatIDByString("Black and Grey"), 4);
}

TEST(GetFormatIDByString, AnyOtherTextIsNoScheme) {
  EXPECT_EQ(GetFormatIDByString("No Formatting"), 0);
  EXPECT_EQ(GetFormatIDByString("Grey & White"), 0);
  EXPECT_EQ(GetFormatIDByString(" Grey and White"), 0) << "blanks are not trimmed";
  EXPECT_EQ(GetFormatIDByString("Grey and White "), 0);
  EXPECT_EQ(GetFormatIDByString(""), 0);
}

TEST(SchemeDesign, EachSchemeHasItsBuiltInTableDesign) {
  EXPECT_EQ(SchemeDesign(1), 10);
  EXPECT_EQ(SchemeDesign(2), 11);
  EXPECT_EQ(SchemeDesign(GetFormatIDByString("green and black")), 7);
  EXPECT_EQ(SchemeDesign(4), 9);
  EXPECT_EQ(SchemeDesign(0), std::nullopt);
  EXPECT_EQ(SchemeDesign(5), std::nullopt);
}

}  // namespace
}  // namespace tavrello
