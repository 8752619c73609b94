#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "platform/db/connection.h"
#include "platform/db/db_test_support.h"
#include "platform/db/recordset.h"
#include "query/recordset_grid_source.h"
#include "support_lib/query_window_fixture.h"

namespace tavrello {
namespace {

using forms::GridAlignment;
using forms::MsgIcon;

class Preview : public testing::QueryWindowFixture {
 protected:
  formSQLNew& connectedWith(const std::string& statement) {
    saveShopAndBroken();
    formSQLNew& w = openWindow();
    w.CommandConnect.userClick();
    typeStatement(w, statement);
    return w;
  }
};

TEST_F(Preview, ExecuteShowsTheRowsOnTheResultPage) {
  formSQLNew& w = connectedWith("SELECT id, name, joined, vip FROM customers WHERE id <= 3 ORDER BY id");
  ASSERT_TRUE(w.CommandExecute.Enabled());
  w.CommandExecute.userClick();
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
  EXPECT_EQ(w.SSTab1.Tab(), 1);
  const auto& grid = w.DataGrid.DataSource();
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->columnCount(), 4);
  EXPECT_EQ(grid->rowCount(), 3);
  EXPECT_EQ(grid->columnName(1), "name");
  EXPECT_EQ(grid->cellText(0, 0), "1");
  EXPECT_EQ(grid->columnAlignment(0), GridAlignment::Right);
  EXPECT_EQ(grid->columnAlignment(1), GridAlignment::Left);
  EXPECT_EQ(grid->columnAlignment(2), GridAlignment::Right) << "dates stand right";
  EXPECT_EQ(grid->cellText(0, 2).size(), 10u) << "a date shows as a date: " << grid->cellText(0, 2);
  EXPECT_EQ(grid->cellText(5, 0), "") << "outside the rows";
  // The connection stays open with the result until the next run.
  ASSERT_NE(MGlobals::gcnDatabase, nullptr);
  EXPECT_EQ(MGlobals::gcnDatabase->State(), 1);
}

TEST_F(Preview, NullsShowBlank) {
  formSQLNew& w = connectedWith("SELECT NULL AS missing, 2 AS two");
  w.CommandExecute.userClick();
  const auto& grid = w.DataGrid.DataSource();
  ASSERT_NE(grid, nullptr) << capture_.log() << w.TextSQL.Text();
  EXPECT_EQ(grid->cellText(0, 0), "");
  EXPECT_EQ(grid->cellText(0, 1), "2");
}

TEST_F(Preview, NoRowsLeavesTheGridAndThePageAsTheyWere) {
  formSQLNew& w = connectedWith("SELECT id FROM customers WHERE id < 0");
  w.CommandExecute.userClick();
  capture_.expectBox(0, "No records were returned (the record count = 0),  Please check the SQL statement!",
                     MsgIcon::Information);
  EXPECT_EQ(w.DataGrid.DataSource(), nullptr);
  EXPECT_EQ(w.SSTab1.Tab(), 0);
  EXPECT_EQ(capture_.log(), "");
}

TEST_F(Preview, ADropRunsAndItsMissingResultIsReported) {
  formSQLNew& w = connectedWith("SELECT 1");
  {
    db::Connection c;
    c.Open(shopConnection());
    c.Execute("CREATE TABLE scratch (a int)");
  }
  w.TextSQL.Text("DROP TABLE scratch");
  w.CommandExecute.userClick();
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_EQ(capture_.dialogs().boxes()[0].icon, MsgIcon::Critical);
  EXPECT_NE(capture_.log().find("formSQLNew.CommandExecute_Click, Error 3704"), std::string::npos) << capture_.log();
  EXPECT_EQ(w.DataGrid.DataSource(), nullptr);
  db::Connection c;
  c.Open(shopConnection());
  EXPECT_EQ(c.Execute("SELECT count(*) FROM sqlite_master WHERE name = 'scratch'")->fields().Item(0L).Value().integer,
            0)
      << "the statement ran";
}

TEST_F(Preview, TwoPreviewsInARowReleaseTheFirstConnection) {
  formSQLNew& w = connectedWith("SELECT id FROM products WHERE id <= 2");
  w.CommandExecute.userClick();
  std::weak_ptr<db::Connection> first = MGlobals::gcnDatabase;
  w.SSTab1.userSelectTab(0);
  typeStatement(w, "SELECT name, code, unit_price FROM products WHERE id <= 5");
  w.CommandExecute.userClick();
  EXPECT_TRUE(first.expired());
  ASSERT_NE(w.DataGrid.DataSource(), nullptr);
  EXPECT_EQ(w.DataGrid.DataSource()->columnCount(), 3);
  EXPECT_EQ(w.DataGrid.DataSource()->rowCount(), 5);
  EXPECT_EQ(w.DataGrid.DataSource()->columnAlignment(2), GridAlignment::Right);
}

TEST_F(Preview, AConnectionThatDidNotOpenFailsOnExecute) {
  formSQLNew& w = connectedWith("SELECT 1");
  w.ComboConnections.Text("Broken");
  w.CommandExecute.userClick();
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_NE(capture_.log().find("formSQLNew.CommandExecute_Click, Error 3709"), std::string::npos) << capture_.log();
}

TEST_F(Preview, AStatementWithANulFailsWithABoxAndTheWindowStaysUsable) {
  formSQLNew& w = connectedWith("SELECT 1");
  w.TextSQL.Text(std::string("SELECT 1\0 AS one", 17));
  w.CommandExecute.userClick();
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_EQ(capture_.dialogs().boxes()[0].icon, MsgIcon::Critical);
  EXPECT_NE(capture_.dialogs().boxes()[0].text.find("NUL character (at byte 9)"), std::string::npos)
      << capture_.dialogs().boxes()[0].text;
  EXPECT_NE(capture_.log().find("formSQLNew.CommandExecute_Click, Error -2147217900"), std::string::npos)
      << capture_.log();
  EXPECT_EQ(w.DataGrid.DataSource(), nullptr);

  typeStatement(w, "SELECT 2 AS two");
  w.CommandExecute.userClick();
  ASSERT_NE(w.DataGrid.DataSource(), nullptr) << capture_.log();
  EXPECT_EQ(w.DataGrid.DataSource()->cellText(0, 0), "2");
}

TEST(RecordsetGridSource, AClosedResultShowsNothing) {
  testing::TempDir dir;
  db::Connection c;
  c.Open(db::testing::nativeString(db::testing::newSqliteFile(dir)));
  auto rs = c.Execute("SELECT 1 AS one");
  RecordsetGridSource source(rs);
  EXPECT_EQ(source.rowCount(), 1);
  rs->Close();
  EXPECT_EQ(source.rowCount(), 0);
  EXPECT_EQ(source.columnCount(), 0);
  EXPECT_EQ(source.cellText(0, 0), "");
  EXPECT_EQ(source.columnName(0), "");
}

TEST_F(Preview, PostgresOverOdbcConnectsTheBuilderAndPreviews) {
  TAVRELLO_POSTGRES_OR_SKIP(pg);
  saveConnections({{"Server", pg}});
  formSQLNew& w = openWindow();
  w.CommandConnect.userClick();
  ASSERT_TRUE(w.SQLBuilder.Connected()) << capture_.log();
  typeStatement(w, "SELECT 42 AS answer, 'hello' AS greeting");
  w.CommandExecute.userClick();
  EXPECT_TRUE(capture_.dialogs().boxes().empty()) << capture_.log();
  ASSERT_NE(w.DataGrid.DataSource(), nullptr);
  EXPECT_EQ(w.DataGrid.DataSource()->cellText(0, 0), "42");
  EXPECT_EQ(w.DataGrid.DataSource()->cellText(0, 1), "hello");
}

}  // namespace
}  // namespace tavrello
