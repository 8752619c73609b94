#include "platform/system/library_file.h"

#include <gtest/gtest.h>

#include "platform/system/special_folder.h"

namespace tavrello::sys {
namespace {

void functionOfThisProgram() {}

TEST(LibraryFile, NamesTheFileThatHoldsTheCodeWithoutItsExtension) {
  EXPECT_EQ(libraryFileStem(reinterpret_cast<const void*>(&specialFolderPath)), "libtavrello_system");
  EXPECT_EQ(libraryFileStem(reinterpret_cast<const void*>(&functionOfThisProgram)), "platform_system_tests");
  EXPECT_EQ(libraryFileStem(nullptr), "");
}

}  // namespace
}  // namespace tavrello::sys
