#include "platform/system/locked_temporary.h"

#include <csignal>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeFile;

bool isOurs(std::string_view name) { return isTemporaryName(name, "book.tmp-"); }

// The temporary file that a writer killed in the middle of its work leaves.
fs::path leftByAKilledWriter(const TempDir& dir) {
  int pipeEnds[2];
  EXPECT_EQ(::pipe(pipeEnds), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    try {
      LockedTemporary temporary = createLockedTemporary((dir / "book.tmp-XXXXXX").string());
      const std::string name = temporary.path + "\n";
      if (::write(pipeEnds[1], name.data(), name.size()) == static_cast<ssize_t>(name.size())) ::raise(SIGKILL);
    } catch (...) {
    }
    ::_exit(2);
  }
  ::close(pipeEnds[1]);
  std::string name;
  char c;
  while (::read(pipeEnds[0], &c, 1) == 1 && c != '\n') name += c;
  ::close(pipeEnds[0]);
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status));
  return name;
}

TEST(LockedTemporary, NamesAreTheStemAndSixLettersOrDigits) {
  EXPECT_TRUE(isTemporaryName("book.tmp-aZ09xY", "book.tmp-"));
  EXPECT_FALSE(isTemporaryName("book.tmp-aZ09x", "book.tmp-"));
  EXPECT_FALSE(isTemporaryName("book.tmp-aZ09xYz", "book.tmp-"));
  EXPECT_FALSE(isTemporaryName("book.tmp-aZ0.xY", "book.tmp-"));
  EXPECT_FALSE(isTemporaryName("other.tmp-aZ09xY", "book.tmp-"));
}

TEST(LockedTemporary, AKilledWritersFileIsRemovedAndALiveWritersIsKept) {
  TempDir dir;
  const fs::path stale = leftByAKilledWriter(dir);
  ASSERT_TRUE(fs::exists(stale)) << stale;
  LockedTemporary live = createLockedTemporary((dir / "book.tmp-XXXXXX").string());
  writeFile(dir / "book.tmp-not6", "");
  writeFile(dir / "book", "the user's file");

  removeStaleTemporaries(dir.path(), isOurs);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(live.path)) << "its writer is alive and holds the lock";
  EXPECT_TRUE(fs::exists(dir / "book.tmp-not6"));
  EXPECT_TRUE(fs::exists(dir / "book"));

  // The lock outlives the closing of the file itself.
  live.file.reset();
  removeStaleTemporaries(dir.path(), isOurs);
  EXPECT_TRUE(fs::exists(live.path));
  live.lock.reset();
  removeStaleTemporaries(dir.path(), isOurs);
  EXPECT_FALSE(fs::exists(live.path));
}

TEST(LockedTemporary, ALinkOrAFolderOfThatNameIsLeftAlone) {
  TempDir dir;
  writeFile(dir / "target", "kept");
  fs::create_symlink(dir / "target", dir / "book.tmp-link01");
  fs::create_directory(dir / "book.tmp-fold01");
  removeStaleTemporaries(dir.path(), isOurs);
  EXPECT_TRUE(fs::is_symlink(dir / "book.tmp-link01"));
  EXPECT_TRUE(fs::is_directory(dir / "book.tmp-fold01"));
  EXPECT_TRUE(fs::exists(dir / "target"));
}

}  // namespace
}  // namespace tavrello::sys
