#include "host/user_install.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/db/connection.h"
#include "platform/system/failure.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

TEST(UserInstall, TheSettingsFileHasTheExactLayout) {
  EXPECT_EQ(settingsFileWithOneConnection("Sample", "Provider=SQLite;Data Source=/home/u/.local/share/Tavrello/sample.db"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<connections>\r\n"
            "\t<connection1>\r\n"
            "\t\t<name>Sample</name>\r\n"
            "\t\t<value>Provider=SQLite;Data Source=/home/u/.local/share/Tavrello/sample.db</value>\r\n"
            "\t</connection1>\r\n"
            "</connections>\r\n");
  EXPECT_NE(settingsFileWithOneConnection("A&B <x>", "Data Source=/a&b/<c>.db").find(
                "<name>A&amp;B &lt;x&gt;</name>\r\n\t\t<value>Data Source=/a&amp;b/&lt;c&gt;.db</value>"),
            std::string::npos);
}

TEST(UserInstall, CreatesTheDataFolderSettingsAndASampleDatabaseThatOpens) {
  tavrello::testing::FakeHome home;
  InstallReport report = installUserData();
  auto folder = home.dataHome() / "Tavrello";
  EXPECT_EQ(report.dataFolder, home.dataHome() / "Tavrello/");
  EXPECT_TRUE(report.createdSettings);
  EXPECT_TRUE(report.createdDatabase);
  std::string settings = tavrello::testing::readFile(folder / "connectionsettings.xml");
  EXPECT_EQ(settings, settingsFileWithOneConnection("Sample", "Provider=SQLite;Data Source=" +
                                                                  (folder / "sample.db").string()));
  struct stat info{};
  ASSERT_EQ(stat((folder / "connectionsettings.xml").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  db::Connection connection;
  connection.Open("Provider=SQLite;Data Source=" + (folder / "sample.db").string());
  EXPECT_GT(connection.Execute("SELECT COUNT(*) FROM customers")->column(0).int64(0), 0);
}

TEST(UserInstall, NeverOverwritesASettingsFileOrDatabaseThatExists) {
  tavrello::testing::FakeHome home;
  auto folder = home.dataHome() / "Tavrello";
  std::filesystem::create_directories(folder);
  tavrello::testing::writeFile(folder / "connectionsettings.xml", "the user's own");
  tavrello::testing::writeFile(folder / "sample.db", "the user's database");
  InstallReport report = installUserData();
  EXPECT_FALSE(report.createdSettings);
  EXPECT_FALSE(report.createdDatabase);
  EXPECT_EQ(tavrello::testing::readFile(folder / "connectionsettings.xml"), "the user's own");
  EXPECT_EQ(tavrello::testing::readFile(folder / "sample.db"), "the user's database");
}

TEST(UserInstall, AFolderNameThatWouldBreakTheConnectionStringIsQuoted) {
  tavrello::testing::TempDir dir;
  tavrello::testing::ScopedEnv data("XDG_DATA_HOME", (dir / "odd;name").string());
  installUserData();
  std::string settings = tavrello::testing::readFile(dir / "odd;name" / "Tavrello" / "connectionsettings.xml");
  EXPECT_NE(settings.find("Data Source={" + (dir / "odd;name").string() + "/Tavrello/sample.db}"), std::string::npos)
      << settings;
}

TEST(UserInstall, WithoutAHomeThereIsNoDataFolder) {
  tavrello::testing::ScopedEnv data("XDG_DATA_HOME", std::nullopt);
  tavrello::testing::ScopedEnv homeVariable("HOME", std::nullopt);
  EXPECT_THROW(tavrelloDataFolder(), Failure);
}

}  // namespace
}  // namespace tavrello::host
