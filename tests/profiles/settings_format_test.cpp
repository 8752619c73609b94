#include "profiles/settings_format.h"

#include <gtest/gtest.h>

#include "platform/system/failure.h"
#include "profiles/settings_document.h"

namespace tavrello {
namespace {

std::vector<ConnectionProfile> readBack(const std::string& text) {
  SettingsDocument doc = SettingsDocument::fromText(text);
  std::vector<ConnectionProfile> rows;
  for (std::size_t i = 0; i < doc.connectionCount(); ++i) rows.push_back(doc.connection(i));
  return rows;
}

TEST(SettingsFormat, EmptyListIsExactlyThreeLines) {
  EXPECT_EQ(formatSettingsFile({}),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<connections>\r\n"
            "</connections>\r\n");
}

TEST(SettingsFormat, RowsAreNumberedElementsWithTabsAndCrLfEverywhere) {
  EXPECT_EQ(formatSettingsFile({{"Sample", "Provider=SQLite;Data Source=/x/sample.db"}, {"Sales", "DSN=sales;"}}),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<connections>\r\n"
            "\t<connection1>\r\n"
            "\t\t<name>Sample</name>\r\n"
            "\t\t<value>Provider=SQLite;Data Source=/x/sample.db</value>\r\n"
            "\t</connection1>\r\n"
            "\t<connection2>\r\n"
            "\t\t<name>Sales</name>\r\n"
            "\t\t<value>DSN=sales;</value>\r\n"
            "\t</connection2>\r\n"
            "</connections>\r\n");
}

TEST(SettingsFormat, ElementNumbersHaveNoPaddingPastNine) {
  std::vector<ConnectionProfile> rows(12, {"n", "v"});
  const std::string text = formatSettingsFile(rows);
  EXPECT_NE(text.find("\t<connection10>\r\n"), std::string::npos);
  EXPECT_NE(text.find("\t</connection12>\r\n"), std::string::npos);
  EXPECT_EQ(text.find("connection01"), std::string::npos);
}

TEST(SettingsFormat, ReservedCharactersAreWrittenAsEntitiesAndReadBackUnchanged) {
  const std::vector<ConnectionProfile> rows = {{"R&D <test>", "Driver={x};PWD=a<b&c>d;"}};
  const std::string text = formatSettingsFile(rows);
  EXPECT_NE(text.find("\t\t<name>R&amp;D &lt;test&gt;</name>\r\n"), std::string::npos);
  EXPECT_NE(text.find("\t\t<value>Driver={x};PWD=a&lt;b&amp;c&gt;d;</value>\r\n"), std::string::npos);
  EXPECT_EQ(readBack(text), rows);
}

TEST(SettingsFormat, ValuesThatParsersWouldAlterStillReadBackExactly) {
  const std::vector<ConnectionProfile> rows = {
      {"  ", "line1\r\nline2\rline3\nend"},
      {"", ""},
      {" lead and trail ", "\ttab"},
      {"Ünïcödé ✓ 𝄞", "]]> <![CDATA[ x ]]>"},
      {"&amp;", "&#13;"},
  };
  const std::string text = formatSettingsFile(rows);
  EXPECT_NE(text.find("<value>line1&#13;\nline2&#13;line3\nend</value>"), std::string::npos);
  EXPECT_EQ(readBack(text), rows);
}

TEST(SettingsFormat, ControlCharactersAreRefusedNamingTheConnection) {
  try {
    formatSettingsFile({{"ok", "ok"}, {"bad\x01name", "x"}});
    FAIL() << "expected a failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 5);
    EXPECT_EQ(f.description(),
              "Connection 2 cannot be saved: its name holds the character U+0001 at position 4, which the settings "
              "file cannot store");
  }
}

TEST(SettingsFormat, TextThatIsNotUtf8OrNotAnXmlCharacterIsRefused) {
  EXPECT_THROW(formatSettingsFile({{"n", std::string("a\0b", 3)}}), Failure);
  EXPECT_THROW(formatSettingsFile({{"n", "\x1b[0m"}}), Failure);
  EXPECT_THROW(formatSettingsFile({{"n", "\xEF\xBF\xBE"}}), Failure);  // U+FFFE
  EXPECT_THROW(formatSettingsFile({{"n", "\xC3"}}), Failure);          // truncated sequence
  EXPECT_THROW(formatSettingsFile({{"n", "\xC0\xAF"}}), Failure);      // overlong "/"
  EXPECT_THROW(formatSettingsFile({{"n", "\xED\xA0\x80"}}), Failure);  // surrogate
  try {
    formatSettingsFile({{"n", "abc\xFF"}});
    FAIL() << "expected a failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.description(),
              "Connection 1 cannot be saved: its connection string holds bytes that are not UTF-8 text at position "
              "4, which the settings file cannot store");
  }
}

}  // namespace
}  // namespace tavrello
