#include "platform/system/program_settings.h"

#include <gtest/gtest.h>

#include "platform/system/registry.h"
#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

using testing::FakeHome;

TEST(ProgramSettings, SavedTextsReadBackAndMissingOnesGiveTheDefault) {
  FakeHome home;
  EXPECT_EQ(GetSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Visible", "NotSet"), "NotSet");
  SaveSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Visible", "N");
  SaveSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Left", "-12");
  EXPECT_EQ(GetSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Visible", "NotSet"), "N");
  EXPECT_EQ(GetSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Left", "0"), "-12");
  EXPECT_EQ(GetSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Top", "7"), "7");
  EXPECT_EQ(GetSetting("VarnockSystems\\Tavrello", "OtherSection", "Visible", "d"), "d");
  SaveSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Visible", "");
  EXPECT_EQ(GetSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Visible", "NotSet"), "")
      << "an empty text is a stored value, not a missing one";
}

TEST(ProgramSettings, LiveUnderTheProgramSettingsKeyWithTheApplicationAsNestedKeys) {
  FakeHome home;
  SaveSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Position", "4");
  auto key = RegKey::open(HKEY_CURRENT_USER,
                          "Software\\VB and VBA Program Settings\\VarnockSystems\\Tavrello\\CommandBarSettings", KEY_ALL_ACCESS);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->readString("Position"), "4");
  key->writeDword("Number", 4);
  EXPECT_EQ(GetSetting("VarnockSystems\\Tavrello", "CommandBarSettings", "Number", "none"), "none")
      << "only strings are settings";
}

TEST(ProgramSettings, EmptyNamesAreRefusedOnSaveAndGiveTheDefaultOnRead) {
  FakeHome home;
  EXPECT_THROW(SaveSetting("", "Section", "Key", "v"), Failure);
  EXPECT_THROW(SaveSetting("App", "Section", "", "v"), Failure);
  EXPECT_EQ(GetSetting("App", "", "Key", "d"), "d");
}

TEST(ProgramSettings, ASaveThatCannotBeStoredFails) {
  FakeHome home;
  testing::ScopedEnv noHome("HOME", std::nullopt);
  testing::ScopedEnv noConfig("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_THROW(SaveSetting("App", "Section", "Key", "v"), Failure);
  EXPECT_EQ(GetSetting("App", "Section", "Key", "d"), "d");
}

}  // namespace
}  // namespace tavrello::sys
