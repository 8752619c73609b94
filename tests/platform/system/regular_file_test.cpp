#include "platform/system/regular_file.h"

#include <filesystem>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/system/failure.h"
#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

using testing::TempDir;
using testing::writeFile;

std::string failureOf(const std::filesystem::path& path, std::size_t maxBytes = 1024) {
  try {
    readRegularFile(path, maxBytes);
  } catch (const Failure& failure) {
    return failure.toString();
  }
  return "read";
}

TEST(RegularFile, AFileIsReadWholeAlsoThroughALink) {
  TempDir dir;
  const std::string bytes = std::string(100000, 'x') + std::string("\0end", 4);
  writeFile(dir / "file", bytes);
  EXPECT_EQ(readRegularFile(dir / "file", bytes.size()), bytes);
  std::filesystem::create_symlink(dir / "file", dir / "link");
  EXPECT_EQ(readRegularFile(dir / "link", bytes.size()), bytes);
  writeFile(dir / "empty", "");
  EXPECT_EQ(readRegularFile(dir / "empty", 0), "");
}

// A FIFO made an open wait for a writer that never came, and a folder read
// as a file asked the XML library for an impossible allocation.
TEST(RegularFile, AFifoAFolderOrADeviceIsRefusedWithoutWaiting) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(failureOf(dir / "fifo"),
            "Error 75: open '" + (dir / "fifo").string() + "': it is a named pipe, not a regular file");
  EXPECT_EQ(failureOf(dir.path()), "Error 75: open '" + dir.path().string() + "': it is a folder, not a regular file");
  EXPECT_EQ(failureOf("/dev/zero"), "Error 75: open '/dev/zero': it is a device, not a regular file");
  EXPECT_THROW(openRegularFile(dir / "fifo"), Failure);
}

TEST(RegularFile, AMissingOrTooLargeFileFailsNamingIt) {
  TempDir dir;
  EXPECT_EQ(failureOf(dir / "missing"),
            "Error 53: open '" + (dir / "missing").string() + "': No such file or directory");
  writeFile(dir / "big", std::string(1025, 'x'));
  EXPECT_EQ(failureOf(dir / "big"),
            "Error 75: read '" + (dir / "big").string() + "': the file is larger than 1024 bytes");
}

}  // namespace
}  // namespace tavrello::sys
