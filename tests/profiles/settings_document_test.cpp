#include "profiles/settings_document.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/system/failure.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

using testing::TempDir;
using testing::writeFile;

std::vector<ConnectionProfile> allOf(const SettingsDocument& doc) {
  std::vector<ConnectionProfile> rows;
  for (std::size_t i = 0; i < doc.connectionCount(); ++i) rows.push_back(doc.connection(i));
  return rows;
}

TEST(SettingsDocument, ConnectionsAreTheRootsElementChildrenWhateverTheirNames) {
  const auto doc = SettingsDocument::fromText(
      "<connections><c><a>one</a><b>DSN=1</b></c>"
      "<c><x>two</x><y>DSN=2</y></c>"
      "<whatever><value>three</value><name>DSN=3</name></whatever></connections>");
  EXPECT_EQ(allOf(doc), (std::vector<ConnectionProfile>{{"one", "DSN=1"}, {"two", "DSN=2"}, {"three", "DSN=3"}}));
}

TEST(SettingsDocument, ChildrenAreTakenByPositionSkippingIndentationAndIgnoringExtras) {
  const auto doc = SettingsDocument::fromText(
      "<?xml version=\"1.0\"?>\n<connections>\n  <connection1>\n    <name>n</name>\n"
      "    <value>v</value>\n    <extra>ignored</extra>\n  </connection1>\n</connections>\n");
  EXPECT_EQ(allOf(doc), (std::vector<ConnectionProfile>{{"n", "v"}}));
}

TEST(SettingsDocument, ValuesAreTextContentWithEntitiesDecoded) {
  const auto doc = SettingsDocument::fromText(
      "<connections><c><name>A&amp;B &#x263A;</name><value><![CDATA[a<b]]> &lt;<i>nested</i></value></c>"
      "<c>bare text<value/></c></connections>");
  EXPECT_EQ(allOf(doc), (std::vector<ConnectionProfile>{{"A&B \xE2\x98\xBA", "a<b <nested"}, {"bare text", ""}}));
}

TEST(SettingsDocument, AConnectionWithFewerThanTwoChildrenFailsWhenRead) {
  const auto doc = SettingsDocument::fromText("<connections><c><name>n</name><value>v</value></c><c><name>only</name></c><c/></connections>");
  ASSERT_EQ(doc.connectionCount(), 3u);
  EXPECT_EQ(doc.connection(0), (ConnectionProfile{"n", "v"}));
  try {
    doc.connection(1);
    FAIL() << "expected a failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 91);
  }
  EXPECT_THROW(doc.connection(2), Failure);
}

TEST(SettingsDocument, UnusableInputGivesNoConnectionsAndNoFailure) {
  TempDir dir;
  EXPECT_EQ(SettingsDocument::fromFile(dir / "missing.xml").connectionCount(), 0u);
  writeFile(dir / "empty.xml", "");
  EXPECT_EQ(SettingsDocument::fromFile(dir / "empty.xml").connectionCount(), 0u);
  EXPECT_EQ(SettingsDocument::fromFile(dir.path()).connectionCount(), 0u);  // a folder, unreadable as a file
  for (const char* text : {"<connections><c><name>n</name><value>v</value></c>",  // not closed
                           "<settings><c><name>n</name><value>v</value></c></settings>",
                           "<Connections><c><name>n</name><value>v</value></c></Connections>",
                           "<connections><c><n>1</n><v>2</v></c></connections><connections/>",
                           "garbage"}) {
    EXPECT_EQ(SettingsDocument::fromText(text).connectionCount(), 0u) << text;
  }
}

TEST(SettingsDocument, ReadsAFileFromDisk) {
  TempDir dir;
  writeFile(dir / "s.xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n\t<connection1>\r\n\t\t<name>S</name>\r\n"
            "\t\t<value>DSN=s</value>\r\n\t</connection1>\r\n</connections>\r\n");
  EXPECT_EQ(allOf(SettingsDocument::fromFile(dir / "s.xml")), (std::vector<ConnectionProfile>{{"S", "DSN=s"}}));
}

// Elements nested 100,000 deep in a 700 KB file overflowed the stack of the
// recursive text gathering at the host's start.
TEST(SettingsDocument, AValueNestedAMillionLevelsDeepIsGatheredWithoutRecursion) {
  constexpr int kDepth = 1000000;
  std::string text = "<connections><c><name>";
  for (int i = 0; i < kDepth; ++i) text += "<a>";
  text += "deep";
  for (int i = 0; i < kDepth; ++i) text += "</a>";
  text += "</name><value>v<b>1</b><b/>2</value></c></connections>";
  EXPECT_EQ(allOf(SettingsDocument::fromText(text)), (std::vector<ConnectionProfile>{{"deep", "v12"}}));
}

// A FIFO in the settings file's place blocked the host's start for ever.
TEST(SettingsDocument, AFifoGivesNoConnectionsWithoutWaiting) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo.xml").c_str(), 0600), 0);
  EXPECT_EQ(SettingsDocument::fromFile(dir / "fifo.xml").connectionCount(), 0u);
}

}  // namespace
}  // namespace tavrello
