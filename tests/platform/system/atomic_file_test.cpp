#include "platform/system/atomic_file.h"

#include <filesystem>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/system/failure.h"
#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

std::size_t entries(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFile, ReplacesTheContentsWholeWithTheGivenPermissions) {
  TempDir dir;
  writeFile(dir / "settings.xml", "old contents that are longer than the new ones");
  writeFileAtomically(dir / "settings.xml", "new", 0640);
  EXPECT_EQ(readFile(dir / "settings.xml"), "new");
  struct stat info {};
  ASSERT_EQ(::stat((dir / "settings.xml").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(entries(dir.path()), 1u) << "no temporary file is left";
}

TEST(AtomicFile, InterruptionBeforeTheRenameKeepsTheOldFile) {
  TempDir dir;
  writeFile(dir / "settings.xml", "old");
  {
    ScopedInterruptBeforeRename crash;
    EXPECT_THROW(writeFileAtomically(dir / "settings.xml", "new"), Failure);
  }
  EXPECT_EQ(readFile(dir / "settings.xml"), "old");
  EXPECT_EQ(entries(dir.path()), 2u) << "the complete temporary file stays, as after a crash";
}

// A settings file's temporary files piled up, one for every writer killed
// before its rename.
TEST(AtomicFile, TheNextWriteRemovesWhatAnInterruptedWriterOfTheFileLeft) {
  TempDir dir;
  writeFile(dir / "settings.xml", "old");
  writeFile(dir / "other.xml.tmp-AbC123", "another file's");
  {
    ScopedInterruptBeforeRename crash;
    EXPECT_THROW(writeFileAtomically(dir / "settings.xml", "new"), Failure);
  }
  ASSERT_EQ(entries(dir.path()), 3u);
  writeFileAtomically(dir / "settings.xml", "newer");
  EXPECT_EQ(readFile(dir / "settings.xml"), "newer");
  EXPECT_EQ(entries(dir.path()), 2u) << "only the other file's temporary file is left";
  EXPECT_TRUE(fs::exists(dir / "other.xml.tmp-AbC123"));
}

TEST(AtomicFile, MissingFolderFailsWithTheFileErrorAndCreatesNothing) {
  TempDir dir;
  try {
    writeFileAtomically(dir / "missing" / "settings.xml", "new");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 53);
    EXPECT_NE(f.description().find("missing"), std::string::npos) << f.description();
  }
  EXPECT_EQ(entries(dir.path()), 0u);
}

TEST(AtomicFile, AFailedRenameRemovesTheTemporaryFile) {
  TempDir dir;
  fs::create_directories(dir / "settings.xml" / "occupied");  // a folder that cannot be replaced
  EXPECT_THROW(writeFileAtomically(dir / "settings.xml", "new"), Failure);
  EXPECT_EQ(entries(dir.path()), 1u);
  EXPECT_TRUE(fs::is_directory(dir / "settings.xml"));
}

}  // namespace
}  // namespace tavrello::sys
