#include "platform/system/special_folder.h"

#include <gtest/gtest.h>

#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

using testing::ScopedEnv;

TEST(SpecialFolder, ApplicationDataIsXdgDataHomeWithATrailingSlash) {
  ScopedEnv data("XDG_DATA_HOME", "/srv/users/ann/data");
  ScopedEnv home("HOME", "/home/ann");
  EXPECT_EQ(specialFolderPath(26), "/srv/users/ann/data/");
  ScopedEnv slash("XDG_DATA_HOME", "/srv/users/ann/data/");
  EXPECT_EQ(specialFolderPath(26), "/srv/users/ann/data/");
}

TEST(SpecialFolder, WithoutXdgDataHomeItIsTheLocalShareFolderOfHome) {
  ScopedEnv data("XDG_DATA_HOME", std::nullopt);
  ScopedEnv home("HOME", "/home/ann");
  EXPECT_EQ(specialFolderPath(26), "/home/ann/.local/share/");
  ScopedEnv empty("XDG_DATA_HOME", "");
  EXPECT_EQ(specialFolderPath(26), "/home/ann/.local/share/");
  ScopedEnv relative("XDG_DATA_HOME", "data");
  EXPECT_EQ(specialFolderPath(26), "/home/ann/.local/share/") << "a relative XDG_DATA_HOME is ignored";
}

TEST(SpecialFolder, IsEmptyWhenNeitherVariableIsSetOrTheFolderIsUnknown) {
  ScopedEnv data("XDG_DATA_HOME", std::nullopt);
  ScopedEnv home("HOME", std::nullopt);
  EXPECT_EQ(specialFolderPath(26), "");
  ScopedEnv someHome("HOME", "/home/ann");
  EXPECT_EQ(specialFolderPath(5), "");
  EXPECT_EQ(specialFolderPath(0), "");
}

}  // namespace
}  // namespace tavrello::sys
