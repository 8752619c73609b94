#include "platform/system/browser.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <unistd.h>

#include <gtest/gtest.h>

#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::ScopedEnv;
using testing::TempDir;
using testing::writeFile;

// Children of this process that have ended and not been reaped.
int zombieChildren() {
  int count = 0;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    const auto close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 2));
    char state = 0;
    pid_t parent = 0;
    rest >> state >> parent;
    if (state == 'Z' && parent == ::getpid()) ++count;
  }
  return count;
}

class Browser : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path script = dir_ / "opener";
    writeFile(script, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"" + (dir_ / "seen.tmp").string() + "\"\n/bin/mv \"" +
                          (dir_ / "seen.tmp").string() + "\" \"" + (dir_ / "seen").string() + "\"\n");
    fs::permissions(script, fs::perms(0755));
  }

  bool waitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 500 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
  }

  TempDir dir_;
  ScopedEnv opener_{"TAVRELLO_URL_OPENER", (dir_ / "opener").string()};
};

TEST_F(Browser, HandsTheUrlToTheOpenerAsOneArgumentAndLeavesNoZombie) {
  const std::string url = "http://www.varnocksystems.com/index.php?option=com_content&task=category&sectionid=3&id=7&Itemid=25";
  ASSERT_TRUE(openUrlInBrowser(url));
  ASSERT_TRUE(waitFor([&] { return fs::exists(dir_ / "seen"); }));
  EXPECT_EQ(readFile(dir_ / "seen"), "1\n" + url + "\n");
  EXPECT_TRUE(waitFor([] { return zombieChildren() == 0; }));
}

TEST_F(Browser, ShellCharactersInTheUrlAreNotInterpreted) {
  const std::string url = "http://example.com/a b?x='1'&y=\"2\";$(touch pwned)`id`";
  ASSERT_TRUE(openUrlInBrowser(url));
  ASSERT_TRUE(waitFor([&] { return fs::exists(dir_ / "seen"); }));
  EXPECT_EQ(readFile(dir_ / "seen"), "1\n" + url + "\n");
  EXPECT_FALSE(fs::exists("pwned"));
}

TEST_F(Browser, ReportsAnOpenerThatCannotBeStarted) {
  ScopedEnv missing("TAVRELLO_URL_OPENER", (dir_ / "no-such-opener").string());
  EXPECT_FALSE(openUrlInBrowser("http://example.com/"));
}

TEST_F(Browser, RefusesAnEmptyUrlAndOneThatLooksLikeAnOption) {
  EXPECT_FALSE(openUrlInBrowser(""));
  EXPECT_FALSE(openUrlInBrowser("--manual"));
}

TEST_F(Browser, UsesXdgOpenUnlessTold) {
  ScopedEnv unset("TAVRELLO_URL_OPENER", std::nullopt);
  ScopedEnv path("PATH", dir_.path().string());
  fs::rename(dir_ / "opener", dir_ / "xdg-open");
  ASSERT_TRUE(openUrlInBrowser("http://example.com/"));
  ASSERT_TRUE(waitFor([&] { return fs::exists(dir_ / "seen"); }));
  EXPECT_EQ(readFile(dir_ / "seen"), "1\nhttp://example.com/\n");
}

}  // namespace
}  // namespace tavrello::sys
