#include "platform/builder/layout.h"

#include <gtest/gtest.h>

namespace tavrello::builder {
namespace {

Layout pieces(std::initializer_list<std::pair<bool, const char*>> parts) {
  Layout out;
  bool first = true;
  for (const auto& [clause, text] : parts) {
    if (!first) {
      if (clause) {
        out.clauseBreak(0);
      } else {
        out.softBreak(2);
      }
    }
    first = false;
    out.text(text);
  }
  return out;
}

TEST(Layout, EverythingOnOneLineWhileItFits) {
  Layout out = pieces({{true, "SELECT a,"}, {false, "b"}, {true, "FROM t"}});
  EXPECT_EQ(out.layout(80), "SELECT a, b FROM t");
  EXPECT_EQ(out.layout(18), "SELECT a, b FROM t");
}

TEST(Layout, AClauseThatWouldPassTheMarginStartsANewLine) {
  Layout out = pieces({{true, "SELECT a,"}, {false, "b"}, {true, "FROM t"}, {false, "JOIN u"}});
  // FROM t JOIN u does not fit after SELECT a, b: the whole clause moves.
  EXPECT_EQ(out.layout(20), "SELECT a, b\nFROM t JOIN u");
}

TEST(Layout, InsideAClausePiecesWrapWithAnIndent) {
  Layout out = pieces({{true, "SELECT aaaa,"}, {false, "bbbb,"}, {false, "cccc"}});
  EXPECT_EQ(out.layout(18), "SELECT aaaa, bbbb,\n  cccc");
}

TEST(Layout, APieceLongerThanTheMarginStaysWhole) {
  Layout out = pieces({{true, "SELECT a_very_long_name_indeed"}, {true, "FROM t"}});
  EXPECT_EQ(out.layout(10), "SELECT a_very_long_name_indeed\nFROM t");
}

TEST(Layout, TheMarginCountsCharactersNotBytes) {
  Layout out = pieces({{true, "SELECT 'äöü'"}, {true, "FROM t"}});
  EXPECT_EQ(out.layout(19), "SELECT 'äöü' FROM t");
}

}  // namespace
}  // namespace tavrello::builder
