#include "toolbar/quick_load.h"

#include <gtest/gtest.h>

#include "support_lib/query_window_fixture.h"

namespace tavrello {
namespace {

class QuickLoad : public testing::QueryWindowFixture {
 protected:
  // Chooses a toolbar entry by its text, as the user does in the combo box.
  void choose(const std::string& text) {
    auto combo = toolbarCombo();
    for (int i = 1; i <= combo->ListCount(); ++i) {
      if (combo->List(i) == text) {
        combo->ListIndex(i);
        return;
      }
    }
    combo->Text(text);
  }
  formSQLNew& window() { return *forms::SharedForm<formSQLNew>::instance(); }
  static void expectDisconnectedLook(formSQLNew& w) {
    EXPECT_FALSE(w.SQLBuilder.Visible());
    EXPECT_FALSE(w.SSTab1.Visible());
    EXPECT_FALSE(w.CommandDisconnect.Enabled());
    EXPECT_FALSE(w.CommandOpenQueryFile.Enabled());
    EXPECT_FALSE(w.CommandSave.Enabled());
    EXPECT_EQ(w.SSTab1.Tab(), 0);
  }
};

TEST_F(QuickLoad, WithThePlaceholderTheWindowOpensDisconnected) {
  saveShopAndBroken();
  MStandardCode::QuickLoad();
  ASSERT_TRUE(windowOpen());
  formSQLNew& w = window();
  EXPECT_TRUE(w.Visible());
  EXPECT_FALSE(w.Modal());
  EXPECT_EQ(capture_.dialogs().modelessForms(), std::vector<std::string>{"formSQLNew"});
  expectDisconnectedLook(w);
  EXPECT_FALSE(w.SQLBuilder.Connected());
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(QuickLoad, ThePlaceholderCountsInAnyLetterCase) {
  saveShopAndBroken();
  choose("tavrello toolbar");
  MStandardCode::QuickLoad();
  expectDisconnectedLook(window());
  EXPECT_EQ(window().ComboConnections.Text(), "Shop");
}

TEST_F(QuickLoad, WithoutSavedConnectionsTheWindowSaysSo) {
  saveConnections({});
  choose("Shop");
  MStandardCode::QuickLoad();
  formSQLNew& w = window();
  EXPECT_EQ(w.ComboConnections.Text(), "Please Add Connection");
  expectDisconnectedLook(w);
}

TEST_F(QuickLoad, ASavedConnectionOpensTheWindowConnectedToIt) {
  saveShopAndBroken();
  choose("Shop");
  MStandardCode::QuickLoad();
  formSQLNew& w = window();
  EXPECT_EQ(w.ComboConnections.Text(), "Shop");
  EXPECT_TRUE(w.SQLBuilder.Connected());
  EXPECT_EQ(w.SQLBuilder.ConnectionString(), shopConnection());
  EXPECT_TRUE(w.SQLBuilder.Visible());
  EXPECT_TRUE(w.SSTab1.Visible());
  EXPECT_TRUE(w.TextSQL.Visible());
  EXPECT_TRUE(w.CommandDisconnect.Enabled());
  EXPECT_TRUE(w.CommandOpenQueryFile.Enabled());
  EXPECT_TRUE(w.CommandSave.Enabled());
  EXPECT_FALSE(w.CommandConnect.Enabled());
  EXPECT_FALSE(w.CommandManage.Enabled());
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(QuickLoad, ASecondClickSwitchesTheOpenWindow) {
  const std::string other = "Provider=SQLite;Data Source=" + (capture_.dataFolder() / "other.db").string() + ";";
  db::createSampleDatabase(capture_.dataFolder() / "other.db");
  saveConnections({{"Shop", shopConnection()}, {"Other", other}});
  choose("Shop");
  MStandardCode::QuickLoad();
  auto first = forms::SharedForm<formSQLNew>::instance();
  first->TextSQL.Text("kept");
  choose("Other");
  MStandardCode::QuickLoad();
  EXPECT_EQ(forms::SharedForm<formSQLNew>::instance(), first) << "the open window is reused";
  EXPECT_EQ(first->ComboConnections.Text(), "Other");
  EXPECT_EQ(first->SQLBuilder.ConnectionString(), other);
  EXPECT_TRUE(first->SQLBuilder.Connected());
}

TEST_F(QuickLoad, AConnectedWindowKeepsConnectAndManageDisabledWhenThePlaceholderIsChosen) {
  saveShopAndBroken();
  choose("Shop");
  MStandardCode::QuickLoad();
  choose("Tavrello Toolbar");
  MStandardCode::QuickLoad();
  formSQLNew& w = window();
  expectDisconnectedLook(w);
  EXPECT_FALSE(w.SQLBuilder.Connected()) << "the builder was reset";
  EXPECT_FALSE(w.CommandConnect.Enabled());
  EXPECT_FALSE(w.CommandManage.Enabled());
}

TEST_F(QuickLoad, ANameTheListDoesNotHoldGivesTheBuilderAnEmptyStringAndIsReported) {
  saveShopAndBroken();
  choose("Nobody");
  MStandardCode::QuickLoad();
  formSQLNew& w = window();
  EXPECT_EQ(w.ComboConnections.Text(), "Nobody");
  EXPECT_FALSE(w.SQLBuilder.Connected());
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_NE(capture_.log().find("[Tavrello]MStandardCode.QuickLoad, Error "), std::string::npos) << capture_.log();
  EXPECT_FALSE(w.SQLBuilder.Visible()) << "the steps after the failure did not run";
}

}  // namespace
}  // namespace tavrello
