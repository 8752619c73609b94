#include "profiles/settings_store.h"

#include <filesystem>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "addin/m_globals.h"
#include "platform/system/atomic_file.h"
#include "platform/system/failure.h"
#include "support_lib/report_capture.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::ReportCapture;
using testing::ScopedEnv;
using testing::writeFile;

constexpr const char* kModule = "MStandardCode";

const std::vector<ConnectionProfile> kThree = {
    {"Sample", "Provider=SQLite;Data Source=/home/u/.local/share/Tavrello/sample.db"},
    {"R&D <lab>", "Driver={PostgreSQL Unicode};Server=db;PWD=a<b&c>;"},
    {"Sales", "DSN=sales;"},
};

std::string twoConnectionFile(const std::string& first, const std::string& second) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n"
         "\t<connection1>\r\n\t\t<name>" + first + "</name>\r\n\t\t<value>DSN=first;</value>\r\n\t</connection1>\r\n"
         "\t<connection2>\r\n\t\t<name>" + second + "</name>\r\n\t\t<value>DSN=second;</value>\r\n\t</connection2>\r\n"
         "</connections>\r\n";
}

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override { MGlobals::ConnectionList = ConnectionList(); }
  void TearDown() override { MGlobals::ConnectionList = ConnectionList(); }

  std::int16_t load(std::vector<std::string>* names = nullptr) {
    return Load_XML_File([names](const std::string& name) {
      if (names) names->push_back(name);
    });
  }
  std::string lookup(const std::string& name) { return MStandardCode::GetDataStringFromConnectionsArray(name, 1); }

  ReportCapture capture_;
};

TEST_F(SettingsStore, WritesTheFileByteForByteWithUserOnlyPermissions) {
  MStandardCode::Update_XML_File(kThree);
  EXPECT_EQ(readFile(capture_.settingsFile()),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<connections>\r\n"
            "\t<connection1>\r\n"
            "\t\t<name>Sample</name>\r\n"
            "\t\t<value>Provider=SQLite;Data Source=/home/u/.local/share/Tavrello/sample.db</value>\r\n"
            "\t</connection1>\r\n"
            "\t<connection2>\r\n"
            "\t\t<name>R&amp;D &lt;lab&gt;</name>\r\n"
            "\t\t<value>Driver={PostgreSQL Unicode};Server=db;PWD=a&lt;b&amp;c&gt;;</value>\r\n"
            "\t</connection2>\r\n"
            "\t<connection3>\r\n"
            "\t\t<name>Sales</name>\r\n"
            "\t\t<value>DSN=sales;</value>\r\n"
            "\t</connection3>\r\n"
            "</connections>\r\n");
  EXPECT_EQ(fs::status(capture_.settingsFile()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(SettingsStore, LoadFillsTheListInFileOrderAndHandsEachNameToTheCaller) {
  MStandardCode::Update_XML_File(kThree);
  std::vector<std::string> names;
  EXPECT_EQ(load(&names), 3);
  EXPECT_EQ(names, (std::vector<std::string>{"Sample", "R&D <lab>", "Sales"}));
  EXPECT_EQ(MGlobals::ConnectionList.rows(), kThree);
  EXPECT_EQ(lookup("R&D <lab>"), "Driver={PostgreSQL Unicode};Server=db;PWD=a<b&c>;");
}

TEST_F(SettingsStore, ALoadReplacesEveryEarlierRow) {
  MStandardCode::Update_XML_File(kThree);
  load();
  MStandardCode::Update_XML_File({{"Only", "DSN=only;"}});
  EXPECT_EQ(load(), 1);
  EXPECT_EQ(MGlobals::ConnectionList.rows(), (std::vector<ConnectionProfile>{{"Only", "DSN=only;"}}));
  EXPECT_EQ(lookup("Sample"), "");
}

TEST_F(SettingsStore, RemovingTheLastConnectionWritesThreeLinesAndTheListKeepsItsStaleRows) {
  MStandardCode::Update_XML_File(kThree);
  load();
  MStandardCode::Update_XML_File({});
  EXPECT_EQ(readFile(capture_.settingsFile()),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n</connections>\r\n");
  std::vector<std::string> names;
  EXPECT_EQ(load(&names), 0);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(lookup("Sales"), "DSN=sales;");
}

TEST_F(SettingsStore, AnUnusableFileCountsAsNoConnectionsSilently) {
  MStandardCode::Update_XML_File(kThree);
  load();
  fs::remove(capture_.settingsFile());
  EXPECT_EQ(load(), 0);
  for (const char* text : {"", "<connections><connection1><name>x</name>", "<profiles><c><n>x</n><v>y</v></c></profiles>",
                           "\xff\xfe garbage"}) {
    writeFile(capture_.settingsFile(), text);
    EXPECT_EQ(load(), 0) << text;
  }
  EXPECT_EQ(MGlobals::ConnectionList.rows(), kThree);
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
  EXPECT_EQ(capture_.log(), "");
}

TEST_F(SettingsStore, OddElementNamesLoadTheSameAsNumberedOnes) {
  writeFile(capture_.settingsFile(),
            "<connections><connection><a>One</a><b>DSN=1;</b></connection>"
            "<connection><value>Two</value><name>DSN=2;</name></connection></connections>");
  EXPECT_EQ(load(), 2);
  EXPECT_EQ(MGlobals::ConnectionList.rows(), (std::vector<ConnectionProfile>{{"One", "DSN=1;"}, {"Two", "DSN=2;"}}));
}

TEST_F(SettingsStore, AShortConnectionElementFailsToTheCallerAfterTheRowsBeforeIt) {
  writeFile(capture_.settingsFile(),
            "<connections><c><name>Good</name><value>DSN=good;</value></c><c><name>Short</name></c></connections>");
  std::vector<std::string> names;
  try {
    load(&names);
    FAIL() << "expected a failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 91);
  }
  EXPECT_EQ(names, std::vector<std::string>{"Good"});
  EXPECT_EQ(MGlobals::ConnectionList.rowCount(), 2u);
  EXPECT_EQ(lookup("Good"), "DSN=good;");
  EXPECT_TRUE(capture_.dialogs().boxes().empty()) << "the caller reports it";
}

TEST_F(SettingsStore, TheCountIsSixteenBitsWide) {
  auto fileOf = [](int count) {
    std::string text = "<connections>";
    for (int i = 0; i < count; ++i) text += "<c><n>x</n><v>y</v></c>";
    return text + "</connections>";
  };
  writeFile(capture_.settingsFile(), fileOf(32767));
  EXPECT_EQ(load(), 32767);
  writeFile(capture_.settingsFile(), fileOf(32768));
  try {
    load();
    FAIL() << "expected a failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 6);
    EXPECT_EQ(f.description(), "Overflow");
  }
  EXPECT_EQ(MGlobals::ConnectionList.rowCount(), 32767u);
}

TEST_F(SettingsStore, LookupFindsTheFirstExactMatchOnly) {
  writeFile(capture_.settingsFile(), twoConnectionFile("Twin", "Twin"));
  load();
  EXPECT_EQ(lookup("Twin"), "DSN=first;");
  EXPECT_EQ(lookup("twin"), "");
  EXPECT_EQ(lookup("Twin "), "");
  EXPECT_EQ(lookup(""), "");
  EXPECT_EQ(MStandardCode::GetDataStringFromConnectionsArray("Twin", 0), "Twin");
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(SettingsStore, LookupBeforeAnyLoadIsReportedAndYieldsEmptyText) {
  EXPECT_EQ(lookup("Sample"), "");
  capture_.expectReport(0, "Subscript out of range (GetDataStringFromConnectionsArray)");
  EXPECT_EQ(capture_.log(), ReportCapture::entry(kModule, "GetDataStringFromConnectionsArray", 9,
                                                 "Subscript out of range (GetDataStringFromConnectionsArray)"));
}

TEST_F(SettingsStore, AValueTheFileCannotCarryIsRefusedAndTheOldFileStays) {
  MStandardCode::Update_XML_File(kThree);
  const std::string before = readFile(capture_.settingsFile());
  MStandardCode::Update_XML_File({{"Sample", "DSN=x;"}, {"Bell\a", "DSN=y;"}});
  EXPECT_EQ(readFile(capture_.settingsFile()), before);
  const std::string message =
      "Connection 2 cannot be saved: its name holds the character U+0007 at position 5, which the settings file "
      "cannot store (Update_XML_File)";
  capture_.expectReport(0, message);
  EXPECT_EQ(capture_.log(), ReportCapture::entry(kModule, "Update_XML_File", 5, message));
}

TEST_F(SettingsStore, MoreConnectionsThanAnyReaderCountsAreRefused) {
  MStandardCode::Update_XML_File(kThree);
  const std::string before = readFile(capture_.settingsFile());
  MStandardCode::Update_XML_File(std::vector<ConnectionProfile>(32768, {"x", "DSN=x;"}));
  EXPECT_EQ(readFile(capture_.settingsFile()), before);
  capture_.expectReport(0, "Overflow: the settings file holds at most 32,767 connections (Update_XML_File)");
}

TEST_F(SettingsStore, AnInterruptedWriteLeavesTheOldFileWhole) {
  MStandardCode::Update_XML_File(kThree);
  const std::string before = readFile(capture_.settingsFile());
  {
    sys::ScopedInterruptBeforeRename crash;
    MStandardCode::Update_XML_File({{"New", "DSN=new;"}});
  }
  EXPECT_EQ(readFile(capture_.settingsFile()), before);
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_EQ(capture_.dialogs().boxes()[0].icon, forms::MsgIcon::Critical);
  load();
  EXPECT_EQ(MGlobals::ConnectionList.rows(), kThree);
}

TEST_F(SettingsStore, AFullDiskLeavesTheOldFileWholeAndNoTemporaryFile) {
  MStandardCode::Update_XML_File(kThree);
  const std::string before = readFile(capture_.settingsFile());
  {
    // The largest file this process may write shrinks below the new file's
    // size, so the write stops part-way as on a full disk.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    MStandardCode::Update_XML_File({{"New", std::string(4000, 'x')}});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
  }
  EXPECT_EQ(readFile(capture_.settingsFile()), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(capture_.dataFolder()), fs::directory_iterator()), 2)
      << "the settings file and the error log only";
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u);
}

TEST_F(SettingsStore, AMissingDataFolderIsReportedAndNotCreated) {
  fs::remove_all(capture_.dataFolder());
  MStandardCode::Update_XML_File(kThree);
  EXPECT_FALSE(fs::exists(capture_.dataFolder()));
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  const auto& text = capture_.dialogs().boxes()[0].text;
  EXPECT_NE(text.find("connectionsettings.xml"), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - 18), " (Update_XML_File)");
}

TEST_F(SettingsStore, WithoutAnApplicationDataFolderNothingIsReadOrWrittenInTheCurrentFolder) {
  ScopedEnv noData("XDG_DATA_HOME", std::nullopt);
  ScopedEnv noHome("HOME", std::nullopt);
  testing::TempDir cwd;
  fs::create_directories(cwd / "Tavrello");
  writeFile(cwd / "Tavrello" / "connectionsettings.xml", twoConnectionFile("a", "b"));
  const fs::path saved = fs::current_path();
  fs::current_path(cwd.path());
  EXPECT_EQ(load(), 0);
  MStandardCode::Update_XML_File(kThree);
  fs::current_path(saved);
  EXPECT_EQ(readFile(cwd / "Tavrello" / "connectionsettings.xml"), twoConnectionFile("a", "b"));
  capture_.expectReport(0, "Path not found: there is no application-data folder for the settings file (Update_XML_File)");
}

}  // namespace
}  // namespace tavrello
