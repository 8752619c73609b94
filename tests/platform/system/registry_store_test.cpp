#include <algorithm>
#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/system/atomic_file.h"
#include "platform/system/clock.h"
#include "platform/system/registry.h"
#include "platform/system/registry_store.h"
#include "support_lib/rename_counter.h"
#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

namespace fs = std::filesystem;
using testing::FakeHome;
using testing::RenameCounter;
using testing::readFile;
using testing::ScopedEnv;
using testing::writeFile;

class RegistryOnDisk : public ::testing::Test {
 protected:
  fs::path hivePath() const { return home_.configHome() / "tavrello" / "registry"; }
  fs::path folder() const { return home_.configHome() / "tavrello"; }

  std::vector<std::string> filesInFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  static mode_t modeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
  }

  // Identity and change time of the hive file: a write replaces the file.
  std::pair<ino_t, std::int64_t> fileStamp() const {
    struct stat info {};
    EXPECT_EQ(::stat(hivePath().c_str(), &info), 0);
    return {info.st_ino, info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
  }

  FakeHome home_;
};

TEST_F(RegistryOnDisk, FirstWriteCreatesAUserOnlyFolderAndFile) {
  fs::remove_all(home_.configHome());
  RegKey::create(HKEY_CURRENT_USER, "Software\\Tavrello").writeString("Visible", "Y");
  EXPECT_EQ(modeOf(home_.configHome()), 0700u);
  EXPECT_EQ(modeOf(folder()), 0700u);
  EXPECT_EQ(modeOf(hivePath()), 0600u);
  EXPECT_NE(readFile(hivePath()).find("[Software\\Tavrello]\nVisible=sz:Y\n"), std::string::npos);
}

TEST_F(RegistryOnDisk, RewriteMakesAnOpenFileUserOnly) {
  fs::create_directories(folder());
  writeFile(hivePath(), "[Software]\n");
  fs::permissions(hivePath(), fs::perms(0644));
  RegKey::create(HKEY_CURRENT_USER, "Software").writeDword("N", 1);
  EXPECT_EQ(modeOf(hivePath()), 0600u);
}

TEST_F(RegistryOnDisk, DamagedFileKeepsItsReadableKeysReportsTheRestAndIsKeptBeforeTheNextWrite) {
  fs::create_directories(folder());
  const std::string damaged =
      "[Software\\Good]\nName=sz:kept\n\x01\x02 binary junk\n[Software\\Other]\nN=dword:zz\nM=dword:7\n";
  writeFile(hivePath(), damaged);

  ::testing::internal::CaptureStderr();
  auto good = RegKey::open(HKEY_CURRENT_USER, "Software\\Good");
  const std::string report = ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(good);
  EXPECT_EQ(good->readString("Name"), "kept");
  EXPECT_EQ(RegKey::open(HKEY_CURRENT_USER, "Software\\Other")->readDword("M"), 7u);
  EXPECT_NE(report.find(hivePath().string() + ":3:"), std::string::npos) << report;
  EXPECT_NE(report.find(hivePath().string() + ":5:"), std::string::npos) << report;
  EXPECT_EQ(filesInFolder(), std::vector<std::string>{"registry"}) << "reading alone changes nothing";

  ScopedEnv tz("TZ", "UTC");
  ScopedClockOverride clock(Clock::from_time_t(1767323045));  // 2026-01-02 03:04:05 UTC
  ::testing::internal::CaptureStderr();
  RegKey::create(HKEY_CURRENT_USER, "Software\\Good").writeString("Added", "new");
  ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(readFile(folder() / "registry.damaged-20260102-030405"), damaged);
  const std::string rewritten = readFile(hivePath());
  EXPECT_NE(rewritten.find("Name=sz:kept\nAdded=sz:new\n"), std::string::npos) << rewritten;
  EXPECT_NE(rewritten.find("[Software\\Other]\nM=dword:00000007\n"), std::string::npos) << rewritten;
  EXPECT_EQ(rewritten.find("junk"), std::string::npos);

  RegKey::create(HKEY_CURRENT_USER, "Software\\Good").writeString("Again", "x");
  EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"registry", "registry.damaged-20260102-030405", "registry.lock"}))
      << "a sound file is not copied again";
}

TEST_F(RegistryOnDisk, WriteInterruptedBeforeTheRenameLeavesTheOldFileWhole) {
  auto key = RegKey::create(HKEY_CURRENT_USER, "Software\\Tavrello");
  key.writeString("Visible", "Y");
  const std::string before = readFile(hivePath());
  {
    ScopedInterruptBeforeRename crash;
    ::testing::internal::CaptureStderr();
    const std::string big(100000, 'x');
    EXPECT_EQ(RegSetValueExA(key.handle(), "Big", REG_SZ, reinterpret_cast<const BYTE*>(big.data()),
                             static_cast<DWORD>(big.size())),
              ERROR_REGISTRY_IO_FAILED);
    ::testing::internal::GetCapturedStderr();
  }
  EXPECT_EQ(readFile(hivePath()), before);
  EXPECT_EQ(filesInFolder().size(), 3u) << "registry, its lock and the stray temporary file";
  EXPECT_EQ(key.readString("Big"), std::nullopt) << "the failed change is not kept in memory either";
  EXPECT_EQ(key.readString("Visible"), "Y");

  key.writeString("Visible", "N");
  EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"registry", "registry.lock"}))
      << "the next write clears the stray temporary file";
}

TEST_F(RegistryOnDisk, AHiveThatCannotBeReadIsNeverReplaced) {
  fs::create_directories(hivePath());  // a folder where the file should be
  ::testing::internal::CaptureStderr();
  HKEY key{};
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &key, nullptr), ERROR_ACCESS_DENIED);
  const std::string report = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("cannot read the registry file"), std::string::npos) << report;
  EXPECT_TRUE(fs::is_directory(hivePath()));
}

TEST_F(RegistryOnDisk, AHiveFileTooLargeToReadIsLeftAsItIs) {
  std::string big = "[Software\\Bulk]\n";
  while (big.size() <= registry::kMaxHiveBytes) big += "Value" + std::to_string(big.size()) + "=sz:some text\n";
  fs::create_directories(folder());
  writeFile(hivePath(), big);
  ::testing::internal::CaptureStderr();
  HKEY key{};
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Bulk", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &key, nullptr), ERROR_ACCESS_DENIED);
  const std::string report = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("cannot read the registry file"), std::string::npos) << report;
  EXPECT_NE(report.find("File too large"), std::string::npos) << report;
  EXPECT_TRUE(readFile(hivePath()) == big) << "not written over";
}

TEST_F(RegistryOnDisk, ChangesByAnotherProcessAreSeen) {
  auto key = RegKey::create(HKEY_CURRENT_USER, "Software\\Shared");
  key.writeString("Who", "parent");
  EXPECT_EQ(key.readString("Who"), "parent");

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      RegKey::create(HKEY_CURRENT_USER, "Software\\Shared").writeString("Who", "child");
      RegKey::create(HKEY_CURRENT_USER, "Software\\FromChild");
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  EXPECT_EQ(key.readString("Who"), "child");
  key.writeString("Second", "parent");  // must not drop the child's key
  EXPECT_TRUE(RegKey::open(HKEY_CURRENT_USER, "Software\\FromChild"));
  EXPECT_NE(readFile(hivePath()).find("[Software\\FromChild]"), std::string::npos);
}

TEST_F(RegistryOnDisk, HandEditedFileIsReadAgain) {
  RegKey::create(HKEY_CURRENT_USER, "Software\\Edited").writeString("V", "1");
  const fs::path replacement = folder() / "edit";
  writeFile(replacement, "[Software\\Edited]\nV=sz:22\n");
  fs::rename(replacement, hivePath());
  EXPECT_EQ(RegKey::open(HKEY_CURRENT_USER, "Software\\Edited")->readString("V"), "22");
  fs::remove(hivePath());
  EXPECT_FALSE(RegKey::open(HKEY_CURRENT_USER, "Software\\Edited"));
}

// Every start rewrote the whole hive once for each value it stored, the
// same values as last time included.
TEST_F(RegistryOnDisk, AChangeThatChangesNothingLeavesTheFileAlone) {
  auto key = RegKey::create(HKEY_CURRENT_USER, "Software\\Tavrello");
  key.writeString("Visible", "Y");
  key.writeDword("Left", 5);
  const auto before = fileStamp();
  RenameCounter renames(folder());
  key.writeString("Visible", "Y");
  key.writeDword("Left", 5);
  EXPECT_FALSE(key.removeValue("Width"));
  RegKey::create(HKEY_CURRENT_USER, "Software\\Tavrello");
  EXPECT_FALSE(deleteKeyTree(HKEY_CURRENT_USER, "Software\\Missing"));
  EXPECT_EQ(renames.count(), 0);
  EXPECT_EQ(fileStamp(), before);
  key.writeString("visible", "N");
  EXPECT_EQ(renames.count(), 1);
}

TEST_F(RegistryOnDisk, ABatchWritesItsChangesOnceAndItsReadsSeeThem) {
  RegKey::create(HKEY_CURRENT_USER, "Software\\Tavrello").writeString("Kept", "1");
  const std::string before = readFile(hivePath());
  RenameCounter renames(folder());
  {
    RegistryBatch batch;
    auto key = RegKey::create(HKEY_CURRENT_USER, "Software\\Tavrello\\Bars");
    for (std::uint32_t i = 0; i < 20; ++i) key.writeDword("Value" + std::to_string(i), i);
    EXPECT_TRUE(key.removeValue("Value3"));
    {
      RegistryBatch inner;
      key.writeString("Inner", "joined");
      inner.finish();
    }
    EXPECT_EQ(key.readDword("Value19"), 19u);
    EXPECT_EQ(key.readDword("Value3"), std::nullopt);
    EXPECT_EQ(readFile(hivePath()), before) << "nothing is written before the batch ends";
    EXPECT_EQ(renames.count(), 0);
    batch.finish();
  }
  EXPECT_EQ(renames.count(), 1);
  const std::string after = readFile(hivePath());
  EXPECT_NE(after.find("Kept=sz:1\n"), std::string::npos) << after;
  EXPECT_NE(after.find("Value19=dword:00000013\n"), std::string::npos) << after;
  EXPECT_NE(after.find("Inner=sz:joined\n"), std::string::npos) << after;
  EXPECT_EQ(after.find("Value3="), std::string::npos) << after;

  {
    RegistryBatch unchanged;
    RegKey::create(HKEY_CURRENT_USER, "Software\\Tavrello").writeString("Kept", "1");
  }
  EXPECT_EQ(renames.count(), 1) << "a batch that changed nothing writes nothing";
}

TEST_F(RegistryOnDisk, ABatchWhoseWriteFailsLeavesTheFileAsItWasAndSaysSo) {
  RegKey::create(HKEY_CURRENT_USER, "Software\\Tavrello").writeString("Kept", "1");
  const std::string before = readFile(hivePath());
  ScopedInterruptBeforeRename crash;
  RegistryBatch batch;
  RegKey::create(HKEY_CURRENT_USER, "Software\\Tavrello").writeString("Lost", "x");
  ::testing::internal::CaptureStderr();
  try {
    batch.finish();
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 75);
    EXPECT_NE(failure.description().find("HKEY_CURRENT_USER"), std::string::npos) << failure.description();
  }
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("the registry file was not changed"), std::string::npos);
  EXPECT_EQ(readFile(hivePath()), before);
  EXPECT_EQ(RegKey::open(HKEY_CURRENT_USER, "Software\\Tavrello")->readString("Lost"), std::nullopt);
}

TEST_F(RegistryOnDisk, AnotherProcessesChangeDuringABatchIsNotLost) {
  int go[2];
  ASSERT_EQ(::pipe(go), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    char c;
    ::close(go[1]);
    if (::read(go[0], &c, 1) != 1) ::_exit(2);
    try {
      // Waits for the batch's lock and lands on top of what it wrote.
      RegKey::create(HKEY_CURRENT_USER, "Software\\Shared").writeString("Child", "1");
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  ::close(go[0]);
  RegistryBatch batch;
  RegKey::create(HKEY_CURRENT_USER, "Software\\Shared").writeString("Parent", "1");
  ASSERT_EQ(::write(go[1], "g", 1), 1);
  ::close(go[1]);
  batch.finish();
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string after = readFile(hivePath());
  EXPECT_NE(after.find("Parent=sz:1\n"), std::string::npos) << after;
  EXPECT_NE(after.find("Child=sz:1\n"), std::string::npos) << after;
}

}  // namespace
}  // namespace tavrello::sys
