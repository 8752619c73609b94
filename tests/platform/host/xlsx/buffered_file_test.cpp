// The windowed file minizip reads workbooks through gives the same bytes as
// the file, wherever it seeks and however much it reads at a time.
#include "platform/host/xlsx/buffered_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <cstdio>
#include <random>
#include <string>

#include "support_lib/test_env.h"

namespace tavrello::host::xlsx {
namespace {

BufferedFile openBuffered(const std::filesystem::path& file) {
  return BufferedFile(sys::FileDescriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC)));
}

TEST(BufferedFile, ReadsWhatTheFileHoldsWhereverItSeeks) {
  testing::TempDir dir;
  std::mt19937 random(7);
  std::string bytes(3 * BufferedFile::kWindowBytes + 123, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  testing::writeFile(dir / "f", bytes);
  BufferedFile file = openBuffered(dir / "f");

  std::uint64_t expected = 0;
  for (int step = 0; step < 2000; ++step) {
    const int whence = step % 3 == 0 ? SEEK_SET : step % 3 == 1 ? SEEK_CUR : SEEK_END;
    const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<std::int64_t>(expected)
                                                                            : static_cast<std::int64_t>(bytes.size());
    const std::int64_t target = std::uniform_int_distribution<std::int64_t>(0, bytes.size() + 10)(random);
    ASSERT_TRUE(file.seek(target - base, whence));
    expected = static_cast<std::uint64_t>(target);
    ASSERT_EQ(file.tell(), expected);
    // Mostly the few bytes of a header, now and then more than a window.
    const std::size_t size = step % 10 == 0 ? std::uniform_int_distribution<std::size_t>(1, 150000)(random)
                                            : std::uniform_int_distribution<std::size_t>(1, 64)(random);
    std::string got(size, '\0');
    const std::size_t n = file.read(got.data(), size);
    const std::size_t available = expected < bytes.size() ? bytes.size() - expected : 0;
    ASSERT_EQ(n, std::min(size, available)) << "step " << step;
    ASSERT_EQ(got.substr(0, n), bytes.substr(std::min<std::size_t>(expected, bytes.size()), n)) << "step " << step;
    expected += n;
    ASSERT_EQ(file.tell(), expected);
  }
}

TEST(BufferedFile, APositionBeforeTheStartIsRefusedAndTheOldOneKept) {
  testing::TempDir dir;
  testing::writeFile(dir / "f", "0123456789");
  BufferedFile file = openBuffered(dir / "f");
  ASSERT_TRUE(file.seek(4, SEEK_SET));
  EXPECT_FALSE(file.seek(-5, SEEK_CUR));
  EXPECT_FALSE(file.seek(-11, SEEK_END));
  EXPECT_FALSE(file.seek(INT64_MAX, SEEK_END));
  EXPECT_EQ(file.tell(), 4u);
  char c = 0;
  ASSERT_EQ(file.read(&c, 1), 1u);
  EXPECT_EQ(c, '4');
}

}  // namespace
}  // namespace tavrello::host::xlsx
