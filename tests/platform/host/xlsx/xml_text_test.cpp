#include "platform/host/xlsx/xml_text.h"

#include <gtest/gtest.h>

namespace tavrello::host::xlsx {
namespace {

std::string escaped(std::string_view text, XmlContext context = XmlContext::Text) {
  std::string out;
  appendXml(out, text, context);
  return out;
}

TEST(XmlText, MarkupCharactersBecomeEntities) {
  EXPECT_EQ(escaped("a<b & c>d \"q\""), "a&lt;b &amp; c&gt;d \"q\"");
  EXPECT_EQ(escaped("say \"hi\"", XmlContext::Attribute), "say &quot;hi&quot;");
}

TEST(XmlText, LineBreaksSurviveInAttributesAsTheFormatsEscapes) {
  // A parser turns a literal line break in an attribute into a blank.
  EXPECT_EQ(escaped("SELECT a\r\nFROM t\tx", XmlContext::Attribute), "SELECT a_x000d__x000a_FROM t_x0009_x");
  EXPECT_EQ(escaped("two\nlines"), "two\nlines");
  EXPECT_EQ(escaped("cr\r"), "cr_x000d_");
}

TEST(XmlText, ControlCharactersXmlCannotCarryAreEscaped) {
  EXPECT_EQ(escaped(std::string("a\x01" "b\x1f", 4)), "a_x0001_b_x001f_");
  EXPECT_EQ(escaped(std::string("nul\0x", 5)), "nul_x0000_x");
}

TEST(XmlText, TextThatReadsAsAnEscapeKeepsItsMeaning) {
  EXPECT_EQ(escaped("A_x0041_"), "A_x005F_x0041_");
  EXPECT_EQ(escaped("snake_case_x"), "snake_case_x");
  EXPECT_EQ(decodeEscapes(escaped("A_x0041_")), "A_x0041_");
}

TEST(XmlText, BytesThatAreNotUtf8BecomeTheReplacementCharacter) {
  EXPECT_EQ(escaped("caf\xe9!"), "caf\xef\xbf\xbd!");
  EXPECT_EQ(escaped("\xed\xa0\x80"), "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");  // an encoded surrogate half
  EXPECT_EQ(escaped("Gr\xc3\xbc\xc3\x9f \xe6\x97\xa5 \xf0\x9f\x98\x80"), "Gr\xc3\xbc\xc3\x9f \xe6\x97\xa5 \xf0\x9f\x98\x80");
}

TEST(XmlText, PlainTextIsRecognisedSoItCanBeCopiedAsItIs) {
  EXPECT_TRUE(isPlainXml("Customer 42, Leeds", XmlContext::Text));
  EXPECT_TRUE(isPlainXml("tab\tand\nbreak", XmlContext::Text));
  EXPECT_FALSE(isPlainXml("tab\t", XmlContext::Attribute));
  EXPECT_FALSE(isPlainXml("a&b", XmlContext::Text));
  EXPECT_FALSE(isPlainXml("q\"", XmlContext::Attribute));
  EXPECT_FALSE(isPlainXml("_x", XmlContext::Text));
  EXPECT_FALSE(isPlainXml("\xc3\xa9", XmlContext::Text));
}

TEST(XmlText, EscapesDecodeToTheCharactersTheyStandFor) {
  EXPECT_EQ(decodeEscapes("SELECT a_x000d__x000a_FROM t"), "SELECT a\r\nFROM t");
  EXPECT_EQ(decodeEscapes("_x00E9_"), "\xc3\xa9");
  EXPECT_EQ(decodeEscapes("_xD83D__xDE00_"), "\xf0\x9f\x98\x80");
  EXPECT_EQ(decodeEscapes("_xD83D_ alone"), "\xef\xbf\xbd alone");
  EXPECT_EQ(decodeEscapes("_x12_ and _xZZZZ_"), "_x12_ and _xZZZZ_");
}

TEST(XmlText, TextIsCutToTheCellLimitAtACharacterBoundary) {
  bool cut = true;
  std::string fits(kCellTextLimit, 'a');
  EXPECT_EQ(cutToCellLimit(fits, cut).size(), kCellTextLimit);
  EXPECT_FALSE(cut);

  std::string longer = fits + "b";
  EXPECT_EQ(cutToCellLimit(longer, cut), fits);
  EXPECT_TRUE(cut);

  // 'é' is one character in two bytes: 20,000 of them fit.
  std::string accents;
  for (int i = 0; i < 20000; ++i) accents += "\xc3\xa9";
  EXPECT_EQ(cutToCellLimit(accents, cut).size(), accents.size());
  EXPECT_FALSE(cut);

  // An emoji counts two characters, as spreadsheet programs count it; one
  // that would straddle the limit goes whole.
  std::string emoji(kCellTextLimit - 1, 'a');
  emoji += "\xf0\x9f\x98\x80";
  EXPECT_EQ(cutToCellLimit(emoji, cut), std::string(kCellTextLimit - 1, 'a'));
  EXPECT_TRUE(cut);
}

}  // namespace
}  // namespace tavrello::host::xlsx
