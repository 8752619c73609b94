#include "platform/db/byte_buffer.h"

#include <gtest/gtest.h>

namespace tavrello::db {
namespace {

TEST(ByteBuffer, KeepsItsContentsAcrossTheMoveFromHeapToMapping) {
  ByteBuffer b;
  std::string expected;
  for (int i = 0; i < 200000; ++i) {
    const char c = static_cast<char>('a' + i % 26);
    b.append(&c, 1);
    expected += c;
  }
  ASSERT_EQ(b.size(), expected.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data()), b.size()), expected);
  for (int i = 0; i < 100; ++i) b.append(expected.data(), expected.size());
  EXPECT_EQ(b.size(), expected.size() * 101);
  EXPECT_EQ(std::memcmp(b.data() + expected.size() * 100, expected.data(), expected.size()), 0);
}

TEST(ByteBuffer, MoveLeavesTheSourceEmpty) {
  ByteBuffer a;
  a.append("hello", 5);
  ByteBuffer b(std::move(a));
  EXPECT_EQ(b.size(), 5u);
  EXPECT_EQ(a.size(), 0u);
  EXPECT_EQ(a.data(), nullptr);
  a = std::move(b);
  EXPECT_EQ(std::memcmp(a.data(), "hello", 5), 0);
}

TEST(PodVector, ResizesWithAFillValue) {
  PodVector<std::uint64_t> v;
  v.resize(3, 7);
  v.push_back(9);
  v.resize(100000, 1);
  EXPECT_EQ(v[2], 7u);
  EXPECT_EQ(v[3], 9u);
  EXPECT_EQ(v[99999], 1u);
  v.resize(2, 0);
  EXPECT_EQ(v.size(), 2u);
}

}  // namespace
}  // namespace tavrello::db
