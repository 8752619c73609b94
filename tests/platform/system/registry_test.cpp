#include "platform/system/registry.h"

#include <cstring>

#include <gtest/gtest.h>

#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

using testing::FakeHome;
using testing::ScopedEnv;
using testing::TempDir;
using testing::writeFile;

class Registry : public ::testing::Test {
 protected:
  FakeHome home_;
  TempDir etc_;
  ScopedEnv machine_{"TAVRELLO_MACHINE_REGISTRY", (etc_ / "registry").string()};
};

HKEY createKey(HKEY root, const char* path) {
  HKEY key{};
  EXPECT_EQ(RegCreateKeyExA(root, path, 0, KEY_ALL_ACCESS, &key, nullptr), ERROR_SUCCESS) << path;
  return key;
}

TEST_F(Registry, StringAndNumberValuesRoundTripWithTheirTypesAndSizes) {
  HKEY key = createKey(HKEY_CURRENT_USER, "Software\\Tavrello Test");
  const char text[] = "C:\\Program Files\\Sys";
  ASSERT_EQ(RegSetValueExA(key, "Path", REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text), ERROR_SUCCESS);
  const BYTE number[4] = {0x78, 0x56, 0x34, 0x12};
  ASSERT_EQ(RegSetValueExA(key, "Level", REG_DWORD, number, 4), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tavrello Test", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0;
  DWORD size = 0;
  ASSERT_EQ(RegQueryValueExA(key, "Path", &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, sizeof text) << "a string's size counts its final NUL";
  char buffer[1024];
  size = sizeof buffer;
  ASSERT_EQ(RegQueryValueExA(key, "Path", &type, reinterpret_cast<BYTE*>(buffer), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, sizeof text);
  EXPECT_STREQ(buffer, text);

  BYTE data[16] = {};
  size = sizeof data;
  ASSERT_EQ(RegQueryValueExA(key, "Level", &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  ASSERT_EQ(size, 4u);
  EXPECT_EQ(std::memcmp(data, number, 4), 0) << "a number's bytes come least significant first";
  RegCloseKey(key);
}

TEST_F(Registry, TooSmallBufferGivesMoreDataAndTheSizeNeeded) {
  HKEY key = createKey(HKEY_CURRENT_USER, "Software\\Sizes");
  ASSERT_EQ(RegSetValueExA(key, "Name", REG_SZ, reinterpret_cast<const BYTE*>("abcdef"), 6), ERROR_SUCCESS);
  BYTE buffer[4] = {'x', 'x', 'x', 'x'};
  DWORD size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(buffer[0], 'x') << "nothing is written on ERROR_MORE_DATA";
  EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);

  char name[3];
  DWORD nameSize = sizeof name;
  EXPECT_EQ(RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(nameSize, 4u);
  RegCloseKey(key);
}

TEST_F(Registry, KeysAndValueNamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
  RegKey::create(HKEY_CURRENT_USER, "Software\\VarnockSystems\\Tavrello").writeString("Visible", "Y");
  auto key = RegKey::open(HKEY_CURRENT_USER, "SOFTWARE\\varnocksystems\\TAVRELLO");
  ASSERT_TRUE(key);
  EXPECT_EQ(key->readString("VISIBLE"), "Y");

  RegKey::create(HKEY_CURRENT_USER, "software\\VARNOCKSYSTEMS\\tavrello").writeString("visible", "N");
  EXPECT_EQ(key->readString("Visible"), "N");
  EXPECT_EQ(key->valueNames(), std::vector<std::string>{"Visible"});
  auto software = RegKey::open(HKEY_CURRENT_USER, "Software");
  ASSERT_TRUE(software);
  EXPECT_EQ(software->subkeyNames(), std::vector<std::string>{"VarnockSystems"});
}

TEST_F(Registry, MissingKeysAndValuesAreFileNotFound) {
  HKEY key{};
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Nowhere", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  key = createKey(HKEY_CURRENT_USER, "Software\\Somewhere");
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Absent", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(key, "Absent"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE) << "a closed handle is no longer valid";
  EXPECT_FALSE(RegKey::open(HKEY_CURRENT_USER, "Software\\Nowhere"));
}

TEST_F(Registry, HandleOpenedWithoutTheRightIsRefused) {
  RegCloseKey(createKey(HKEY_CURRENT_USER, "Software\\Rights"));
  auto readOnly = RegKey::open(HKEY_CURRENT_USER, "Software\\Rights", KEY_READ);
  ASSERT_TRUE(readOnly);
  const BYTE one[4] = {1, 0, 0, 0};
  EXPECT_EQ(RegSetValueExA(readOnly->handle(), "N", REG_DWORD, one, 4), ERROR_ACCESS_DENIED);
  auto writeOnly = RegKey::open(HKEY_CURRENT_USER, "Software\\Rights", KEY_SET_VALUE);
  ASSERT_TRUE(writeOnly);
  ASSERT_EQ(RegSetValueExA(writeOnly->handle(), "N", REG_DWORD, one, 4), ERROR_SUCCESS);
  DWORD size = 4;
  BYTE data[4];
  EXPECT_EQ(RegQueryValueExA(writeOnly->handle(), "N", nullptr, data, &size), ERROR_ACCESS_DENIED);
}

TEST_F(Registry, UnsupportedTypesAndWrongNumberSizesAreRefused) {
  auto key = RegKey::create(HKEY_CURRENT_USER, "Software\\Types");
  const BYTE bytes[8] = {};
  EXPECT_EQ(RegSetValueExA(key.handle(), "Binary", 3, bytes, 8), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExA(key.handle(), "Short", REG_DWORD, bytes, 2), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(key.valueNames().empty());
}

TEST_F(Registry, TypedReadsTellTheTypesApart) {
  auto key = RegKey::create(HKEY_CURRENT_USER, "Software\\Typed");
  key.writeDword("Count", 0xFFFFFFFFu);
  key.writeString("Name", "");
  EXPECT_EQ(key.readDword("Count"), 0xFFFFFFFFu);
  EXPECT_EQ(key.readString("Count"), std::nullopt);
  EXPECT_EQ(key.readString("Name"), "");
  EXPECT_EQ(key.readDword("Name"), std::nullopt);
  EXPECT_EQ(key.readString("Missing"), std::nullopt);
}

TEST_F(Registry, DeleteKeyRefusesAKeyWithSubkeysAndDeleteTreeRemovesTheBranch) {
  RegKey::create(HKEY_CURRENT_USER, "Software\\Classes\\Tavrello.dsrConnect\\CLSID").writeString("", "{id}");
  RegKey::create(HKEY_CURRENT_USER, "Software\\Classes\\Other");
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Classes\\Tavrello.dsrConnect"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Classes\\Tavrello.dsrConnect\\CLSID"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Classes\\Tavrello.dsrConnect"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Classes\\Tavrello.dsrConnect"), ERROR_FILE_NOT_FOUND);

  RegKey::create(HKEY_CURRENT_USER, "Software\\Classes\\Tavrello.dsrConnect\\CLSID");
  EXPECT_TRUE(deleteKeyTree(HKEY_CURRENT_USER, "software\\classes\\tavrello.dsrconnect"));
  EXPECT_FALSE(deleteKeyTree(HKEY_CURRENT_USER, "Software\\Classes\\Tavrello.dsrConnect"));
  auto classes = RegKey::open(HKEY_CURRENT_USER, "Software\\Classes");
  ASSERT_TRUE(classes);
  EXPECT_EQ(classes->subkeyNames(), std::vector<std::string>{"Other"});
}

TEST_F(Registry, HandleToADeletedKeySaysSo) {
  auto key = RegKey::create(HKEY_CURRENT_USER, "Software\\Doomed");
  deleteKeyTree(HKEY_CURRENT_USER, "Software\\Doomed");
  const BYTE one[4] = {1, 0, 0, 0};
  EXPECT_EQ(RegSetValueExA(key.handle(), "N", REG_DWORD, one, 4), ERROR_KEY_DELETED);
  EXPECT_FALSE(RegKey::open(HKEY_CURRENT_USER, "Software\\Doomed")) << "a write must not bring the key back";
}

TEST_F(Registry, EnumerationListsSubkeysInNameOrderAndValuesInStoringOrder) {
  auto key = RegKey::create(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins");
  RegKey::create(key.handle(), "Zeta.Connect");
  RegKey::create(key.handle(), "alpha.Connect");
  RegKey::create(key.handle(), "Tavrello.dsrConnect\\Deeper");
  EXPECT_EQ(key.subkeyNames(), (std::vector<std::string>{"alpha.Connect", "Tavrello.dsrConnect", "Zeta.Connect"}));
  key.writeString("b", "1");
  key.writeDword("a", 2);
  key.writeString("c", "3");
  EXPECT_EQ(key.valueNames(), (std::vector<std::string>{"b", "a", "c"}));

  DWORD nameSize = 64;
  char name[64];
  EXPECT_EQ(RegEnumKeyExA(key.handle(), 3, name, &nameSize), ERROR_NO_MORE_ITEMS);
  DWORD type = 0;
  BYTE data[8];
  DWORD dataSize = sizeof data;
  ASSERT_EQ(RegEnumValueA(key.handle(), 1, name, &nameSize, &type, data, &dataSize), ERROR_SUCCESS);
  EXPECT_STREQ(name, "a");
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(dataSize, 4u);
}

TEST_F(Registry, CreateTellsWhetherTheKeyIsNew) {
  HKEY key{};
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\New", 0, KEY_ALL_ACCESS, &key, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "software\\new", 0, KEY_ALL_ACCESS, &key, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(key);
}

TEST_F(Registry, AKeyDeeperThanTheLimitIsRefused) {
  std::string path = "Software";
  for (std::size_t depth = 1; depth < registry::kMaxKeyDepth; ++depth) path += "\\Level" + std::to_string(depth);
  HKEY key{};
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key, nullptr), ERROR_SUCCESS);
  HKEY deeper{};
  EXPECT_EQ(RegCreateKeyExA(key, "OneTooMany", 0, KEY_ALL_ACCESS, &deeper, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegOpenKeyExA(key, "OneTooMany", 0, KEY_READ, &deeper), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(Registry, MachineHiveIsReadableAndRefusesEveryWrite) {
  writeFile(etc_ / "registry",
            "[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=sz:/usr/bin/hardinfo\nLevel=dword:0000001e\n");
  HKEY key{};
  // The about box asks for 0x2003F, which includes write rights.
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Shared Tools\\MSINFO", 0, 0x2003F, &key),
            ERROR_SUCCESS);
  char buffer[1024];
  DWORD size = sizeof buffer;
  DWORD type = 0;
  ASSERT_EQ(RegQueryValueExA(key, "PATH", &type, reinterpret_cast<BYTE*>(buffer), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_STREQ(buffer, "/usr/bin/hardinfo");

  const BYTE one[4] = {1, 0, 0, 0};
  EXPECT_EQ(RegSetValueExA(key, "PATH", REG_DWORD, one, 4), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(key, "PATH"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteTreeA(key, nullptr), ERROR_ACCESS_DENIED);
  HKEY created{};
  EXPECT_EQ(RegCreateKeyExA(key, "Sub", 0, KEY_ALL_ACCESS, &created, nullptr), ERROR_ACCESS_DENIED);
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(testing::readFile(etc_ / "registry"),
            "[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=sz:/usr/bin/hardinfo\nLevel=dword:0000001e\n");
}

TEST_F(Registry, MissingMachineHiveIsEmpty) {
  HKEY key{};
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, WithoutHomeTheUserHiveIsEmptyAndWritesFail) {
  ScopedEnv noHome("HOME", std::nullopt);
  ScopedEnv noConfig("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(userRegistryPath(), std::nullopt);
  HKEY key{};
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &key, nullptr), ERROR_PATH_NOT_FOUND);
  try {
    RegKey::create(HKEY_CURRENT_USER, "Software");
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 76);
    EXPECT_NE(f.description().find("HKEY_CURRENT_USER\\Software"), std::string::npos) << f.description();
  }
}

TEST_F(Registry, UserHiveFollowsTheConfigFolder) {
  EXPECT_EQ(userRegistryPath(), (home_.configHome() / "tavrello" / "registry").string());
  ScopedEnv noConfig("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(userRegistryPath(), (home_.home() / ".config" / "tavrello" / "registry").string());
  ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
  EXPECT_EQ(userRegistryPath(), (home_.home() / ".config" / "tavrello" / "registry").string());
}

}  // namespace
}  // namespace tavrello::sys
