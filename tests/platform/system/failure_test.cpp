#include "platform/system/failure.h"

#include <cerrno>

#include <gtest/gtest.h>

namespace tavrello {
namespace {

TEST(Failure, FileErrorsMapToThePlatformsFileErrorNumbers) {
  EXPECT_EQ(Failure::fromErrno(ENOENT, "open", "/x").number(), 53);
  EXPECT_EQ(Failure::fromErrno(EACCES, "open", "/x").number(), 70);
  EXPECT_EQ(Failure::fromErrno(ENOSPC, "write", "/x").number(), 61);
  EXPECT_EQ(Failure::fromErrno(ENOTDIR, "open", "/x/y").number(), 76);
  EXPECT_EQ(Failure::fromErrno(EIO, "read", "/x").number(), 75);
}

TEST(Failure, FileErrorDescriptionNamesTheOperationAndThePath) {
  auto f = Failure::fromErrno(ENOENT, "open", "/tmp/missing.log");
  EXPECT_EQ(f.description().rfind("open '/tmp/missing.log': ", 0), 0u) << f.description();
  EXPECT_EQ(f.toString().rfind("Error 53: open", 0), 0u);
}

}  // namespace
}  // namespace tavrello
