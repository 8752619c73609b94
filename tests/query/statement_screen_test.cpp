#include "query/statement_screen.h"

#include <gtest/gtest.h>

namespace tavrello {
namespace {

std::string blocked(std::string_view text) {
  const auto keyword = firstBlockedKeyword(text);
  return keyword ? std::string(*keyword) : std::string("-");
}

TEST(StatementScreen, TheFirstSixCharactersInAnyCaseAreCompared) {
  EXPECT_EQ(blocked("delete from t"), "DELETE");
  EXPECT_EQ(blocked("DeLeTe FROM t"), "DELETE");
  EXPECT_EQ(blocked("CREATE TABLE t (a int)"), "CREATE");
  EXPECT_EQ(blocked("UPDATES are refused too"), "UPDATE");
  EXPECT_EQ(blocked("INSERTX"), "INSERT");
  EXPECT_EQ(blocked("insert"), "INSERT");
  EXPECT_EQ(blocked("SELECT * FROM t"), "-");
  for (const char* passes : {"DROP TABLE t", "ALTER TABLE t ADD c int", "EXEC p", "   ", "", "DELET", "SELECT"}) {
    EXPECT_EQ(blocked(passes), "-") << passes;
  }
}

TEST(StatementScreen, BlanksCommentsAndBatchesNoLongerHideAKeyword) {
  EXPECT_EQ(blocked("   DELETE FROM t"), "DELETE");
  EXPECT_EQ(blocked("\r\n\tdelete from t"), "DELETE");
  EXPECT_EQ(blocked("-- tidy up\nDELETE FROM t"), "DELETE");
  EXPECT_EQ(blocked("/* tidy */DELETE FROM t"), "DELETE");
  EXPECT_EQ(blocked("/* a */ -- b\n /* c\n */ update t set a = 1"), "UPDATE");
  EXPECT_EQ(blocked("SELECT 1; DELETE FROM t"), "DELETE");
  EXPECT_EQ(blocked("SELECT 1;DELETE FROM t"), "DELETE");
  EXPECT_EQ(blocked("SELECT 1;\n-- next\ninsert into t values (1)"), "INSERT");
  // The message is the first refused statement's.
  EXPECT_EQ(blocked("SELECT 1; CREATE TABLE x (a int); DELETE FROM t"), "CREATE");
  EXPECT_EQ(blocked("DELETE FROM t; INSERT INTO t VALUES (1)"), "DELETE");
}

TEST(StatementScreen, SemicolonsInsideQuotesAndCommentsDoNotSplit) {
  EXPECT_EQ(blocked("SELECT 'a; delete' FROM t"), "-");
  EXPECT_EQ(blocked("SELECT 'it''s; delete' FROM t"), "-");
  EXPECT_EQ(blocked("SELECT \"a; delete\" FROM t"), "-");
  EXPECT_EQ(blocked("SELECT `a; delete` FROM t"), "-");
  EXPECT_EQ(blocked("SELECT [a; delete] FROM t"), "-");
  EXPECT_EQ(blocked("SELECT 1 -- ; delete\nFROM t"), "-");
  EXPECT_EQ(blocked("SELECT 1 /* ; delete */ FROM t"), "-");
  // A quote or comment left open runs to the end.
  EXPECT_EQ(blocked("SELECT 'open; delete"), "-");
  EXPECT_EQ(blocked("SELECT 1 /* open; delete"), "-");
  // After the quote closes, splitting resumes.
  EXPECT_EQ(blocked("SELECT 'a;b'; delete from t"), "DELETE");
}

TEST(StatementScreen, SplittingKeepsEveryPiece) {
  const auto pieces = splitStatements("SELECT 1; SELECT ';'; -- x;\n");
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0], "SELECT 1");
  EXPECT_EQ(pieces[1], " SELECT ';'");
  EXPECT_EQ(pieces[2], " -- x;\n");
  EXPECT_EQ(skipBlanksAndComments(" -- x\n /* y */ z"), "z");
  EXPECT_EQ(skipBlanksAndComments("-"), "-");
  EXPECT_EQ(skipBlanksAndComments("/*"), "");
}

}  // namespace
}  // namespace tavrello
