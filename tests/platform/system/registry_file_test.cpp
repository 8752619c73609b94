#include "platform/system/registry_file.h"

#include <gtest/gtest.h>

#include "support_lib/test_env.h"

namespace tavrello::sys::registry {
namespace {

TEST(RegistryFormat, WritesOneReadableLinePerKeyAndValue) {
  Hive hive;
  hive.create("Software\\VB and VBA Program Settings\\VarnockSystems\\Tavrello\\CommandBarSettings");
  Key* key = hive.find("software\\vb and vba program settings\\varnocksystems\\tavrello\\commandbarsettings");
  ASSERT_NE(key, nullptr);
  setValue(*key, "Visible", std::string("Y"));
  setValue(*key, "Position", std::uint32_t{4});

  EXPECT_EQ(formatHive(hive, "Tavrello registry"),
            "; Tavrello registry\n"
            "\n[Software]\n"
            "\n[Software\\VB and VBA Program Settings]\n"
            "\n[Software\\VB and VBA Program Settings\\VarnockSystems]\n"
            "\n[Software\\VB and VBA Program Settings\\VarnockSystems\\Tavrello]\n"
            "\n[Software\\VB and VBA Program Settings\\VarnockSystems\\Tavrello\\CommandBarSettings]\n"
            "Visible=sz:Y\n"
            "Position=dword:00000004\n");
}

TEST(RegistryFormat, AnyBytesInNamesAndTextsSurviveARoundTrip) {
  const std::string awkward = std::string(" lead=[x]\\ %41 \r\n\t;#\x7f\xff\xc3\xa9") + std::string(1, '\0') + " ";
  const std::string keyName = "odd ]name[ %" + std::string("\n", 1) + " ";
  Hive hive;
  hive.create("Software\\" + keyName);
  Key* key = hive.find("Software\\" + keyName);
  ASSERT_NE(key, nullptr);
  setValue(*key, awkward, awkward);
  setValue(*key, "", std::string("default value"));
  setValue(*key, "[Looks like a key]", std::uint32_t{0xFFFFFFFF});
  setValue(*key, ";comment?", std::string(""));

  const std::string bytes = formatHive(hive, "c");
  ParsedHive parsed = parseHive(bytes);
  EXPECT_TRUE(parsed.unreadable.empty());
  const Key* back = parsed.hive.find("Software\\" + keyName);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->name, keyName);
  ASSERT_EQ(back->values.size(), 4u);
  EXPECT_EQ(back->values[0].name, awkward);
  EXPECT_EQ(std::get<std::string>(back->values[0].data), awkward);
  EXPECT_EQ(std::get<std::string>(back->values[1].data), "default value");
  EXPECT_EQ(std::get<std::uint32_t>(back->values[2].data), 0xFFFFFFFFu);
  EXPECT_EQ(back->values[3].name, ";comment?");
  EXPECT_EQ(formatHive(parsed.hive, "c"), bytes);
}

TEST(RegistryFormat, DamagedLinesAreSkippedAndEveryReadableKeyIsKept) {
  const std::string text =
      "; comment\n"
      "[Software\\Good]\n"         // 2
      "Name=sz:kept\n"             // 3
      "this line is noise\n"       // 4
      "Bad=sz:%zz\n"               // 5
      "Number=dword:123456789\n"   // 6
      "Kind=binary:00\n"           // 7
      "[Software\\Bro%G0ken]\n"    // 8
      "Lost=sz:under the bad key\n"  // 9
      "[Software\\Later]\r\n"      // 10
      "Also=dword:2a\r\n"          // 11
      "Tail=sz:no newline";        // 12
  ParsedHive parsed = parseHive(text);
  ASSERT_EQ(parsed.unreadable.size(), 6u);
  EXPECT_EQ(parsed.unreadable[0].number, 4u);
  EXPECT_EQ(parsed.unreadable[1].number, 5u);
  EXPECT_EQ(parsed.unreadable[2].number, 6u);
  EXPECT_EQ(parsed.unreadable[3].number, 7u);
  EXPECT_EQ(parsed.unreadable[4].number, 8u);
  EXPECT_EQ(parsed.unreadable[5].number, 9u);

  const Key* good = parsed.hive.find("Software\\Good");
  ASSERT_NE(good, nullptr);
  ASSERT_EQ(good->values.size(), 1u);
  EXPECT_EQ(std::get<std::string>(good->values[0].data), "kept");
  const Key* later = parsed.hive.find("Software\\Later");
  ASSERT_NE(later, nullptr);
  ASSERT_EQ(later->values.size(), 2u);
  EXPECT_EQ(std::get<std::uint32_t>(later->values[0].data), 42u);
  EXPECT_EQ(std::get<std::string>(later->values[1].data), "no newline");
  EXPECT_EQ(parsed.hive.subkeyNames("Software"), (std::vector<std::string>{"Good", "Later"}));
}

TEST(RegistryFormat, RepeatedKeysMergeAndTheLastValueWins) {
  ParsedHive parsed = parseHive("[A]\nx=sz:1\n[B]\n[a]\nX=sz:2\ny=dword:1\n");
  EXPECT_TRUE(parsed.unreadable.empty());
  const Key* a = parsed.hive.find("A");
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(a->values.size(), 2u);
  EXPECT_EQ(a->values[0].name, "x");
  EXPECT_EQ(std::get<std::string>(a->values[0].data), "2");
}

// Each value line was looked up among all earlier values of its key: a
// 10 MB file of one key's values took minutes to read at every start.
TEST(RegistryFormat, AKeyOfAMillionValuesIsReadWhole) {
  constexpr int kValues = 1000000 / testing::kLargeInputDivisor;
  std::string text = "[Bulk]\n";
  for (int i = 0; i < kValues; ++i) text += "Value" + std::to_string(i) + "=dword:" + std::to_string(i % 10) + "\n";
  text += "[bulk]\nVALUE17=sz:last\n";
  const ParsedHive parsed = parseHive(text);
  const Key* key = parsed.hive.find("Bulk");
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(key->values.size(), static_cast<std::size_t>(kValues));
  EXPECT_EQ(key->values[17].name, "Value17");
  EXPECT_EQ(key->values[17].data, ValueData(std::string("last")));
  EXPECT_EQ(findValue(*key, "value" + std::to_string(kValues - 1))->data, ValueData(std::uint32_t{9}));
}

// Every level of a key is a key of its own, spelled from the root: a
// damaged line of thousands of levels held the reader for hours.
TEST(RegistryFormat, AKeyNestedDeeperThanTheLimitIsAnUnreadableLine) {
  std::string deepest = "Top";
  for (std::size_t depth = 1; depth < kMaxKeyDepth; ++depth) deepest += "\\L" + std::to_string(depth);
  std::string endless = "Top";
  for (int depth = 1; depth < 100000; ++depth) endless += "\\L";
  const ParsedHive parsed = parseHive("[" + deepest + "]\nkept=sz:1\n[" + endless + "]\nlost=sz:2\n");
  ASSERT_NE(parsed.hive.find(deepest), nullptr);
  EXPECT_EQ(parsed.hive.find(deepest)->values.size(), 1u);
  ASSERT_EQ(parsed.unreadable.size(), 2u);
  EXPECT_EQ(parsed.unreadable[0].number, 3u);
  EXPECT_EQ(parsed.unreadable[0].reason, "the key is nested more than 32 levels deep");
  EXPECT_EQ(parsed.unreadable[1].reason, "value under an unreadable key line");
  EXPECT_EQ(parsed.hive.allKeys().size(), 1 + kMaxKeyDepth) << "the root and each level of the deepest key";
  EXPECT_EQ(parsed.hive.allKeys().back().first, deepest);
  EXPECT_FALSE(Hive().create(deepest + "\\OneTooMany"));
}

TEST(RegistryHive, PathsIgnoreEmptyComponentsAndRemovalTakesTheWholeBranch) {
  Hive hive;
  EXPECT_TRUE(hive.create("\\A\\\\B\\"));
  EXPECT_TRUE(hive.exists("a\\b"));
  hive.create("A\\B\\C");
  hive.create("A B");
  hive.create("AB");
  EXPECT_TRUE(hive.removeTree("a\\B"));
  EXPECT_FALSE(hive.exists("A\\B\\C"));
  EXPECT_TRUE(hive.exists("A B"));
  EXPECT_TRUE(hive.exists("AB"));
  EXPECT_EQ(hive.subkeyNames(""), (std::vector<std::string>{"A", "A B", "AB"}));
  EXPECT_FALSE(hive.removeTree("")) << "the root stays";
}

}  // namespace
}  // namespace tavrello::sys::registry
