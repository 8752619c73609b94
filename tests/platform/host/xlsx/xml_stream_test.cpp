#include "platform/host/xlsx/xml_stream.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/system/failure.h"
#include "support_lib/test_env.h"

namespace tavrello::host::xlsx {
namespace {

// A fill function that hands the text out `piece` bytes at a time, so that
// every token is split across reads somewhere.
XmlStream::Fill pieces(std::string text, std::size_t piece) {
  auto data = std::make_shared<std::string>(std::move(text));
  auto at = std::make_shared<std::size_t>(0);
  return [data, at, piece](char* buffer, std::size_t size) {
    std::size_t n = std::min({piece, size, data->size() - *at});
    std::memcpy(buffer, data->data() + *at, n);
    *at += n;
    return n;
  };
}

// The events as text: "<name a=v>", "</name>", "'text'".
std::string trace(const std::string& xml, std::size_t piece = 1 << 20, std::size_t maxToken = 1 << 20) {
  XmlStream stream(pieces(xml, piece), "test.xml", maxToken);
  std::string out;
  for (auto event = stream.next(); event != XmlStream::Event::Finished; event = stream.next()) {
    if (event == XmlStream::Event::Start) {
      out += "<" + std::string(stream.name());
      if (auto a = stream.attribute("a")) out += " a=" + std::string(*a);
      out += ">";
    } else if (event == XmlStream::Event::End) {
      out += "</" + std::string(stream.name()) + ">";
    } else {
      out += "'" + std::string(stream.text()) + "'";
    }
  }
  return out;
}

std::string failureOf(const std::string& xml, std::size_t maxToken = 1 << 20) {
  try {
    trace(xml, 1 << 20, maxToken);
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 1004);
    EXPECT_NE(failure.description().find("test.xml"), std::string::npos);
    return failure.description();
  }
  ADD_FAILURE() << "no failure for " << xml;
  return {};
}

TEST(XmlStream, ReportsElementsTextsAndAttributesWithoutPrefixes) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<x:sst xmlns:x=\"urn:x\"><!-- note --><x:si a=\"1 &lt; 2\"><x:t>A &amp; B &#233;&#x263A;</x:t></x:si>"
      "<empty a='q\"uote'/><c><![CDATA[<not a tag>]]></c></x:sst>";
  std::string expected = "<sst><si a=1 < 2><t>'A & B \xc3\xa9\xe2\x98\xba'</t></si><empty a=q\"uote></empty>"
                         "<c>'<not a tag>'</c></sst>";
  EXPECT_EQ(trace(xml), expected);
  // The same events whatever the pieces the part arrives in.
  for (std::size_t piece : {1, 2, 3, 7, 64}) EXPECT_EQ(trace(xml, piece), expected) << piece;
}

TEST(XmlStream, AGreaterThanSignInsideAQuotedValueDoesNotEndTheTag) {
  EXPECT_EQ(trace("<r a=\"x>y\"><b/></r>"), "<r a=x>y><b></b></r>");
}

TEST(XmlStream, AttributeLineBreaksReadAsBlanksAndTextLineEndsAsLineFeeds) {
  EXPECT_EQ(trace("<r a=\"one\r\ntwo\tthree&#10;\">x\r\ny\rz</r>"), "<r a=one two three\n>'x\ny\nz'</r>");
}

TEST(XmlStream, SkippingAndCollectingTextFollowNesting) {
  XmlStream stream(pieces("<r><a><b>1</b><c/>2</a><d>three<e>3</e></d></r>", 5), "test.xml", 1024);
  ASSERT_EQ(stream.next(), XmlStream::Event::Start);  // r
  ASSERT_EQ(stream.next(), XmlStream::Event::Start);  // a
  stream.skipElement();
  ASSERT_EQ(stream.next(), XmlStream::Event::Start);
  EXPECT_EQ(stream.name(), "d");
  EXPECT_EQ(stream.elementText(), "three3");
  ASSERT_EQ(stream.next(), XmlStream::Event::End);
  EXPECT_EQ(stream.name(), "r");
  EXPECT_EQ(stream.next(), XmlStream::Event::Finished);
}

TEST(XmlStream, ADocumentTypeDeclarationIsRefusedBeforeAnyEntityCanBeDefined) {
  std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 "
                       "\"&lol;&lol;&lol;&lol;\">]><lolz>&lol2;</lolz>";
  EXPECT_NE(failureOf(laughs).find("document type declaration"), std::string::npos);
  EXPECT_NE(failureOf("<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r/>").find("DOCTYPE"), std::string::npos);
}

TEST(XmlStream, EntitiesNoDeclarationDefinesAreRefused) {
  EXPECT_NE(failureOf("<r>&xxe;</r>").find("'&xxe;'"), std::string::npos);
  EXPECT_NE(failureOf("<r>&#0;</r>").find("character"), std::string::npos);
  EXPECT_NE(failureOf("<r>&#x110000;</r>").find("out of range"), std::string::npos);
  EXPECT_NE(failureOf("<r>a & b</r>").find("entity"), std::string::npos);
}

TEST(XmlStream, MalformedPartsFailWithWhatIsWrong) {
  EXPECT_NE(failureOf("<r><a></b></r>").find("</b> does not match <a>"), std::string::npos);
  EXPECT_NE(failureOf("<r><a>").find("ends inside the element <a>"), std::string::npos);
  EXPECT_NE(failureOf("<r a=1/>").find("not quoted"), std::string::npos);
  EXPECT_NE(failureOf("<r a=\"1\" a=\"2\"/>").find("twice"), std::string::npos);
  EXPECT_NE(failureOf("<r/><s/>").find("second root"), std::string::npos);
  EXPECT_NE(failureOf("text<r/>").find("outside its root"), std::string::npos);
  EXPECT_NE(failureOf("").find("no XML element"), std::string::npos);
  EXPECT_NE(failureOf("<r><a").find("ends inside a tag"), std::string::npos);
}

TEST(XmlStream, OnlyUtf8IsRead) {
  EXPECT_NE(failureOf("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r/>").find("iso-8859-1"), std::string::npos);
  EXPECT_NE(failureOf(std::string("\xff\xfe<\0r\0/\0>\0", 10)).find("UTF-16"), std::string::npos);
  EXPECT_EQ(trace("\xef\xbb\xbf<r/>"), "<r></r>");
}

TEST(XmlStream, TagsTextsAndNestingAreBounded) {
  EXPECT_NE(failureOf("<r>" + std::string(5000, 'x') + "</r>", 1000).find("longer than the limit"), std::string::npos);
  EXPECT_NE(failureOf("<r a=\"" + std::string(5000, 'x') + "\"/>", 1000).find("longer than the limit"), std::string::npos);
  std::string deep;
  for (int i = 0; i < 1000; ++i) deep += "<a>";
  EXPECT_NE(failureOf(deep).find("nest deeper"), std::string::npos);
}

// Each attribute of a tag was compared with every earlier one: 100,000
// attributes took 25 s, and the tag limit lets a part hold well over a
// million.
TEST(XmlStream, ATagWithAMillionAttributesIsReadAndARepeatedOneAmongThemIsFound) {
  constexpr int kAttributes = 1000000 / testing::kLargeInputDivisor;
  std::string tag = "<r";
  for (int i = 0; i < kAttributes; ++i) tag += " a" + std::to_string(i) + "=\"" + std::to_string(i % 10) + "\"";
  XmlStream stream(pieces(tag + "/>", 1 << 20), "test.xml", 16 << 20);
  ASSERT_EQ(stream.next(), XmlStream::Event::Start);
  EXPECT_EQ(stream.attribute("a" + std::to_string(kAttributes - 1)), "9");
  EXPECT_EQ(stream.attribute("a0"), "0");
  EXPECT_EQ(stream.next(), XmlStream::Event::End);

  EXPECT_NE(failureOf(tag + " a17=\"again\"/>", 16 << 20).find("an attribute occurs twice in <r>"), std::string::npos);
  EXPECT_NE(failureOf("<r b=\"\" c=\"\" d=\"\" e=\"\" f=\"\" g=\"\" h=\"\" i=\"\" j=\"\" b=\"\"/>").find("twice"),
            std::string::npos);
}

}  // namespace
}  // namespace tavrello::host::xlsx
