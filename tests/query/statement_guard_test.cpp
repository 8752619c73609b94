#include "query/statement_guard.h"

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "platform/db/connection.h"
#include "support_lib/query_window_fixture.h"

namespace tavrello {
namespace {

using forms::MsgIcon;

class StatementGuard : public testing::QueryWindowFixture {
 protected:
  formSQLNew& connected() {
    saveShopAndBroken();
    formSQLNew& w = openWindow();
    w.CommandConnect.userClick();
    return w;
  }
};

TEST_F(StatementGuard, AnEmptyStatementIsRefusedAndTheFocusGoesBack) {
  formSQLNew& w = connected();
  w.CommandConnect.SetFocus();
  EXPECT_FALSE(RunStatementGuard(w, ConnectionCheck::None));
  capture_.expectBox(0, "The SQL Text Box is empty, please enter a SQL Statement", MsgIcon::Information);
  EXPECT_EQ(w.ActiveControl(), &w.TextSQL);
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr) << "no connection is opened for a refused statement";
  EXPECT_EQ(capture_.log(), "") << "refusals are not logged";
}

TEST_F(StatementGuard, EachBlockedKeywordHasItsTwoLineMessage) {
  formSQLNew& w = connected();
  const char* statements[] = {"insert into t values (1)", "Update t set a = 1", "  delete from t",
                              "SELECT 1; CREATE TABLE x (a int)"};
  const char* words[] = {"INSERT", "UPDATE", "DELETE", "CREATE"};
  for (int i = 0; i < 4; ++i) {
    w.TextSQL.Text(statements[i]);
    EXPECT_FALSE(RunStatementGuard(w, ConnectionCheck::RequireOpen)) << statements[i];
    const std::string word = words[i];
    capture_.expectBox(static_cast<std::size_t>(i),
                       "Tavrello should not be used to run " + word + " statements.\r\nThis " + word +
                           " statement has been blocked.",
                       MsgIcon::Information);
  }
  EXPECT_EQ(w.ActiveControl(), &w.TextSQL);
}

TEST_F(StatementGuard, APassingStatementGetsAFreshOpenConnection) {
  formSQLNew& w = connected();
  w.TextSQL.Text("SELECT 1");
  ASSERT_TRUE(RunStatementGuard(w, ConnectionCheck::RequireOpen));
  auto first = MGlobals::gcnDatabase;
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->State(), 1);
  EXPECT_EQ(first->CursorLocation(), 3);
  ASSERT_TRUE(RunStatementGuard(w, ConnectionCheck::None));
  EXPECT_NE(MGlobals::gcnDatabase, first) << "every run replaces the connection";
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(StatementGuard, AConnectionThatDoesNotOpenStopsOnlyTheImports) {
  formSQLNew& w = connected();
  w.ComboConnections.Text("Broken");
  w.TextSQL.Text("SELECT 1");
  w.CommandConnect.SetFocus();
  EXPECT_FALSE(RunStatementGuard(w, ConnectionCheck::RequireOpen));
  capture_.expectBox(0, "There is no active connection open!", MsgIcon::Exclamation);
  EXPECT_EQ(w.ActiveControl(), &w.CommandConnect) << "the focus is not moved";
  ASSERT_NE(MGlobals::gcnDatabase, nullptr);
  EXPECT_EQ(MGlobals::gcnDatabase->State(), 0);
  EXPECT_TRUE(RunStatementGuard(w, ConnectionCheck::None)) << "the preview goes on and fails on Execute";
  EXPECT_EQ(capture_.log(), "");
}

TEST_F(StatementGuard, BlanksOnlyPassToTheDatabase) {
  formSQLNew& w = connected();
  w.TextSQL.Text("   ");
  EXPECT_TRUE(RunStatementGuard(w, ConnectionCheck::RequireOpen));
}

TEST_F(StatementGuard, ARefusalInADisconnectedWindowDoesNotReachForTheHiddenBox) {
  saveShopAndBroken();
  formSQLNew& w = openWindow();
  ASSERT_FALSE(w.TextSQL.Visible());
  EXPECT_FALSE(RunStatementGuard(w, ConnectionCheck::RequireOpen));
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_NE(w.ActiveControl(), &w.TextSQL);
}

}  // namespace
}  // namespace tavrello
