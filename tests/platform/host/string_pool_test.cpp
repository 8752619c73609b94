#include "platform/host/workbook/string_pool.h"

#include <string>

#include <gtest/gtest.h>

namespace tavrello::host {
namespace {

TEST(StringPool, EqualTextsShareOneIndex) {
  StringPool pool;
  auto a = pool.intern("Zürich");
  auto b = pool.intern("Berlin");
  EXPECT_NE(a, b);
  EXPECT_EQ(pool.intern(std::string("Zürich")), a);
  EXPECT_EQ(pool.text(a), "Zürich");
  EXPECT_EQ(pool.size(), 2u);
}

TEST(StringPool, KeepsEveryTextThroughGrowthAndLongTexts) {
  StringPool pool;
  std::string longText(200000, 'x');
  auto longIndex = pool.intern(longText);
  for (int i = 0; i < 200000; ++i) pool.intern("customer " + std::to_string(i));
  EXPECT_EQ(pool.size(), 200001u);
  EXPECT_EQ(pool.text(longIndex), longText);
  EXPECT_EQ(pool.text(pool.intern("customer 123456")), "customer 123456");
  EXPECT_EQ(pool.size(), 200001u);
  EXPECT_EQ(pool.intern(""), pool.intern(""));
}

}  // namespace
}  // namespace tavrello::host
