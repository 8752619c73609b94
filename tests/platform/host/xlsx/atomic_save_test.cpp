#include "platform/host/xlsx/atomic_save.h"

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/host/xlsx/book_writer.h"
#include "platform/host/xlsx/output_device.h"
#include "platform/system/failure.h"
#include "platform/system/locked_temporary.h"
#include "sample_books.h"
#include "support_lib/test_env.h"

namespace tavrello::host::xlsx {
namespace {

using testing::TempDir;
using testing::readFile;
using testing::writeFile;

// The names in a folder, to see that no temporary file is left behind.
std::vector<std::string> namesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void writeText(OutputDevice& device, const std::string& text) { device.write(text.data(), text.size()); }

TEST(AtomicSave, TheNewFileReplacesTheOldOneWhenComplete) {
  TempDir dir;
  writeFile(dir / "book.xlsx", "old contents");
  saveAtomically(dir / "book.xlsx", [](OutputDevice& device) { writeText(device, "new contents"); });
  EXPECT_EQ(readFile(dir / "book.xlsx"), "new contents");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"book.xlsx"});
}

TEST(AtomicSave, AWriterThatFailsLeavesTheOldFileWholeAndSaysWhy) {
  TempDir dir;
  writeFile(dir / "book.xlsx", "old contents");
  try {
    saveAtomically(dir / "book.xlsx", [](OutputDevice& device) {
      writeText(device, "half a package");
      throw Failure::fromErrno(ENOSPC, "write", "the new file");
    });
    FAIL() << "the writer's failure was swallowed";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 61);
    EXPECT_NE(failure.description().find((dir / "book.xlsx").string()), std::string::npos) << failure.description();
    EXPECT_NE(failure.description().find("No space left on device"), std::string::npos) << failure.description();
    EXPECT_NE(failure.description().find("The file that was there is unchanged."), std::string::npos);
  }
  EXPECT_EQ(readFile(dir / "book.xlsx"), "old contents");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"book.xlsx"});
}

TEST(AtomicSave, ASaveInterruptedBeforeTheRenameLeavesTheOldFile) {
  TempDir dir;
  writeFile(dir / "book.xlsx", "old contents");
  ScopedSaveInterruption interruption;
  EXPECT_THROW(saveAtomically(dir / "book.xlsx", [](OutputDevice& device) { writeText(device, "new"); }), Failure);
  EXPECT_EQ(readFile(dir / "book.xlsx"), "old contents");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"book.xlsx"});
}

// 22 of 40 saves killed midway left a hidden .NAME.saving-XXXXXX file, and
// no later save removed it.
TEST(AtomicSave, WhatAKilledSaveLeftIsRemovedByTheNextSaveToTheFolder) {
  TempDir dir;
  writeFile(dir / "book.xlsx", "old contents");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      saveAtomically(dir / "book.xlsx", [](OutputDevice& device) {
        writeText(device, std::string(100000, 'x'));
        ::raise(SIGKILL);
      });
    } catch (...) {
    }
    ::_exit(2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_EQ(namesIn(dir.path()).size(), 2u) << "the killed save's file";
  EXPECT_EQ(namesIn(dir.path())[0].rfind(".book.xlsx.saving-", 0), 0u);

  // Another save is writing a workbook of the same folder; its file stays.
  sys::LockedTemporary live = sys::createLockedTemporary((dir / ".other.xlsx.saving-XXXXXX").string());
  writeFile(dir / ".notes.saving-kept", "the user's");
  saveAtomically(dir / "next.xlsx", [](OutputDevice& device) { writeText(device, "new"); });
  EXPECT_EQ(namesIn(dir.path()),
            (std::vector<std::string>{".notes.saving-kept", std::filesystem::path(live.path).filename().string(),
                                      "book.xlsx", "next.xlsx"}));
  EXPECT_EQ(readFile(dir / "book.xlsx"), "old contents");
}

TEST(AtomicSave, AFirstSaveThatFailsLeavesNoFile) {
  TempDir dir;
  try {
    saveAtomically(dir / "new.xlsx", [](OutputDevice&) { throw Failure(7, "Out of memory"); });
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_NE(failure.description().find("No file was written."), std::string::npos) << failure.description();
  }
  EXPECT_TRUE(namesIn(dir.path()).empty());
}

TEST(AtomicSave, TheSavedFileKeepsThePermissionsOfTheOneItReplaces) {
  TempDir dir;
  writeFile(dir / "book.xlsx", "old");
  ::chmod((dir / "book.xlsx").c_str(), 0640);
  saveAtomically(dir / "book.xlsx", [](OutputDevice& device) { writeText(device, "new"); });
  struct stat info {};
  ASSERT_EQ(::stat((dir / "book.xlsx").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(AtomicSave, SavingThroughALinkReplacesTheFileItLeadsToAndKeepsTheLink) {
  TempDir dir;
  std::filesystem::create_directory(dir / "real");
  writeFile(dir / "real" / "book.xlsx", "old");
  std::filesystem::create_symlink(dir / "real" / "book.xlsx", dir / "link.xlsx");
  saveAtomically(dir / "link.xlsx", [](OutputDevice& device) { writeText(device, "new"); });
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.xlsx"));
  EXPECT_EQ(readFile(dir / "real" / "book.xlsx"), "new");
  EXPECT_EQ(namesIn(dir / "real"), std::vector<std::string>{"book.xlsx"});
}

TEST(AtomicSave, AFolderThatTakesNoNewFileFailsWithPermissionDenied) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0755);  // others may look in, as in a home folder
  std::filesystem::create_directory(dir / "locked");
  writeFile(dir / "locked" / "book.xlsx", "old contents");
  ::chmod((dir / "locked").c_str(), 0555);
  // The superuser writes anywhere: the save then runs in a child process
  // that has given up that right.
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    try {
      saveAtomically(dir / "locked" / "book.xlsx", [](OutputDevice& device) { writeText(device, "new"); });
    } catch (const Failure& failure) {
      bool says = failure.description().find("Permission denied") != std::string::npos &&
                  failure.description().find("unchanged") != std::string::npos;
      if (!says) std::fprintf(stderr, "%s\n", failure.toString().c_str());
      ::_exit(failure.number() == 70 && says ? 0 : 2);
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save succeeded, 2: wrong failure, 3: could not drop rights";
  ::chmod((dir / "locked").c_str(), 0755);
  EXPECT_EQ(readFile(dir / "locked" / "book.xlsx"), "old contents");
  EXPECT_EQ(namesIn(dir / "locked"), std::vector<std::string>{"book.xlsx"});
}

// The kernel refuses writes past a file-size limit, the way a full disk
// refuses them: a real failed write in the middle of the package.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int);
};

TEST(AtomicSave, AWriteTheFileSystemRefusesMidPackageLeavesTheOldWorkbook) {
  TempDir dir;
  auto app = WorkbookApplication::create();
  auto book = app->addBook();
  auto sheet = book->sheets()[0];
  for (std::int32_t row = 1; row <= 50000; ++row) {
    sheet->setValue(row, 1, "text of row " + std::to_string(row));
    sheet->setValue(row, 2, row * 1.5);
  }
  writeFile(dir / "book.xlsx", "the workbook saved yesterday");
  try {
    FileSizeLimit limit(64 * 1024);
    saveBook(*book, dir / "book.xlsx");
    FAIL() << "the save went past the file-size limit";
  } catch (const Failure& failure) {
    EXPECT_NE(failure.description().find("File too large"), std::string::npos) << failure.description();
    EXPECT_NE(failure.description().find("The file that was there is unchanged."), std::string::npos);
  }
  EXPECT_EQ(readFile(dir / "book.xlsx"), "the workbook saved yesterday");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"book.xlsx"});
}

}  // namespace
}  // namespace tavrello::host::xlsx
