#include "host/addin_registration.h"

#include <gtest/gtest.h>

#include "platform/system/registry.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

// Appended piece by piece: GCC 12 warns wrongly (-Warray-bounds) on a chain
// of operator+ over short strings here.
std::string classIdKey(std::string_view tail = {}) {
  std::string key = "Software\\Classes\\CLSID\\";
  key += kTavrelloClassId;
  key += tail;
  return key;
}

TEST(AddinRegistration, TavrelloIsRegisteredUnderTheHostsAddinsKeyWithItsClassMapping) {
  tavrello::testing::FakeHome home;
  writeAddinRegistration(tavrelloRegistration("/opt/tavrello/Tavrello.so"));
  auto key = sys::RegKey::open(sys::HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\Tavrello.dsrConnect");
  ASSERT_TRUE(key);
  EXPECT_EQ(key->readString("FriendlyName"), "Tavrello");
  EXPECT_EQ(key->readString("Description"), "Tavrello - Import data to excel from standard databases.");
  EXPECT_EQ(key->readDword("LoadBehavior"), 3u);
  EXPECT_FALSE(key->readString("LoadBehavior"));  // a number, not text
  auto classId = sys::RegKey::open(sys::HKEY_CURRENT_USER, "Software\\Classes\\Tavrello.dsrConnect\\CLSID");
  ASSERT_TRUE(classId);
  EXPECT_EQ(classId->readString(""), kTavrelloClassId);
  auto server = sys::RegKey::open(sys::HKEY_CURRENT_USER,
                                  classIdKey("\\InprocServer32"));
  ASSERT_TRUE(server);
  EXPECT_EQ(server->readString(""), "/opt/tavrello/Tavrello.so");

  auto registrations = readAddinRegistrations();
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].progId, "Tavrello.dsrConnect");
  EXPECT_EQ(registrations[0].loadBehavior, 3u);
  EXPECT_EQ(registrations[0].libraryPath, "/opt/tavrello/Tavrello.so");
}

TEST(AddinRegistration, RemovingTheRegistrationLeavesOtherKeysAlone) {
  tavrello::testing::FakeHome home;
  writeAddinRegistration(tavrelloRegistration("/opt/tavrello/Tavrello.so"));
  writeAddinRegistration({"Other.Connect", "Other", "", 3, "{11111111-2222-3333-4444-555555555555}", "/x/other.so"});
  sys::RegKey::create(sys::HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\VarnockSystems\\Tavrello")
      .writeString("Kept", "yes");
  EXPECT_TRUE(removeAddinRegistration("Tavrello.dsrConnect"));
  EXPECT_FALSE(removeAddinRegistration("Tavrello.dsrConnect"));
  auto registrations = readAddinRegistrations();
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].progId, "Other.Connect");
  EXPECT_EQ(registrations[0].libraryPath, "/x/other.so");
  EXPECT_FALSE(sys::RegKey::open(sys::HKEY_CURRENT_USER, classIdKey()));
  EXPECT_FALSE(sys::RegKey::open(sys::HKEY_CURRENT_USER, "Software\\Classes\\Tavrello.dsrConnect"));
  EXPECT_TRUE(sys::RegKey::open(sys::HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\VarnockSystems\\Tavrello"));
}

TEST(AddinRegistration, AnEntryWithoutClassMappingReadsWithoutLibrary) {
  tavrello::testing::FakeHome home;
  std::string staleKey = kAddinsKey;
  staleKey += "\\Stale.Connect";
  auto key = sys::RegKey::create(sys::HKEY_CURRENT_USER, staleKey);
  key.writeDword("LoadBehavior", 3);
  auto registrations = readAddinRegistrations();
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_TRUE(registrations[0].classId.empty());
  EXPECT_TRUE(registrations[0].libraryPath.empty());
}

}  // namespace
}  // namespace tavrello::host
