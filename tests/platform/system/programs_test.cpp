#include "platform/system/programs.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::ScopedEnv;
using testing::TempDir;
using testing::writeFile;

void writeScript(const fs::path& path, const std::string& body) {
  writeFile(path, "#!/bin/sh\n" + body);
  fs::permissions(path, fs::perms(0755));
}

bool waitForFile(const fs::path& path) {
  for (int i = 0; i < 500 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return fs::exists(path);
}

TEST(FindProgramOnPath, FindsTheFirstExecutableFileInPathOrder) {
  TempDir dir;
  fs::create_directories(dir / "a");
  fs::create_directories(dir / "b");
  fs::create_directories(dir / "c" / "hardinfo");
  writeFile(dir / "a" / "hardinfo", "not executable");
  writeScript(dir / "b" / "hardinfo", "exit 0\n");
  writeScript(dir / "a" / "ksysguard", "exit 0\n");
  ScopedEnv path("PATH", "::" + (dir / "c").string() + ":" + (dir / "a").string() + ":" + (dir / "b").string() + "/");
  EXPECT_EQ(findProgramOnPath("hardinfo"), (dir / "b" / "hardinfo").string())
      << "a folder and a file without execute permission are passed over";
  EXPECT_EQ(findProgramOnPath("ksysguard"), (dir / "a" / "ksysguard").string());
  EXPECT_EQ(findProgramOnPath("gnome-system-monitor"), std::nullopt);
  EXPECT_EQ(findProgramOnPath(""), std::nullopt);
  EXPECT_EQ(findProgramOnPath((dir / "a" / "ksysguard").string()), (dir / "a" / "ksysguard").string());
  EXPECT_EQ(findProgramOnPath((dir / "a" / "hardinfo").string()), std::nullopt);
}

TEST(FindProgramOnPath, FindsNothingWithoutPath) {
  TempDir dir;
  writeScript(dir / "tool", "exit 0\n");
  ScopedEnv cwd("PWD", dir.path().string());
  ScopedEnv path("PATH", std::nullopt);
  EXPECT_EQ(findProgramOnPath("tool"), std::nullopt);
  ScopedEnv empty("PATH", "");
  EXPECT_EQ(findProgramOnPath("tool"), std::nullopt);
}

TEST(StartProgram, PassesEachArgumentAsItIsAndDoesNotWait) {
  TempDir dir;
  const fs::path script = dir / "tool";
  // The program waits for the test to let it go, so startProgram must return
  // before the program ends.
  writeScript(script, "while [ ! -e \"" + (dir / "go").string() + "\" ]; do sleep 0.01; done\n"
                      "for a in \"$@\"; do printf '%s|' \"$a\"; done > \"" + (dir / "args.tmp").string() + "\"\n"
                      "/bin/mv \"" + (dir / "args.tmp").string() + "\" \"" + (dir / "args").string() + "\"\n");
  ASSERT_TRUE(startProgram(script.string(), {"two words", "$(touch pwned)", "a;b", ""}));
  writeFile(dir / "go", "");
  ASSERT_TRUE(waitForFile(dir / "args"));
  EXPECT_EQ(readFile(dir / "args"), "two words|$(touch pwned)|a;b||");
  EXPECT_FALSE(fs::exists(dir / "pwned"));
  EXPECT_FALSE(fs::exists("pwned"));
}

TEST(StartProgram, FailsForAProgramThatCannotBeStarted) {
  TempDir dir;
  writeFile(dir / "plain", "not a program");
  EXPECT_FALSE(startProgram((dir / "missing").string(), {}));
  EXPECT_FALSE(startProgram((dir / "plain").string(), {}));
  ScopedEnv path("PATH", dir.path().string());
  EXPECT_FALSE(startProgram("missing", {}));
  EXPECT_FALSE(startProgram("", {}));
}

}  // namespace
}  // namespace tavrello::sys
