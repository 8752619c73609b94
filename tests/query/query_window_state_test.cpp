#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "support_lib/query_window_fixture.h"

namespace tavrello {
namespace {

using forms::MsgIcon;
using testing::QueryWindowFixture;

constexpr const char* kInstallationMessage =
    "There appears to be a problem with the Installation of the Addin.\r"
    "Please check that you have the Connection.Settings.xml file in the same folder as the DLL\r"
    "Please try reinstalling and report this problem.";

// The controls whose state the window's connect cycle sets.
struct CycleState {
  bool tabs, builder, text, connect, manage, disconnect, open, save, execute, paste;
};

CycleState stateOf(const formSQLNew& w) {
  return {w.SSTab1.Visible(),          w.SQLBuilder.Visible(),        w.TextSQL.Visible(),
          w.CommandConnect.Enabled(),  w.CommandManage.Enabled(),     w.CommandDisconnect.Enabled(),
          w.CommandOpenQueryFile.Enabled(), w.CommandSave.Enabled(), w.CommandExecute.Enabled(),
          w.CommandExcel.Enabled()};
}

void expectState(const formSQLNew& w, const CycleState& expected) {
  const CycleState s = stateOf(w);
  EXPECT_EQ(s.tabs, expected.tabs) << "SSTab1 visible";
  EXPECT_EQ(s.builder, expected.builder) << "SQLBuilder visible";
  EXPECT_EQ(s.text, expected.text) << "TextSQL visible";
  EXPECT_EQ(s.connect, expected.connect) << "Connect enabled";
  EXPECT_EQ(s.manage, expected.manage) << "New/Edit enabled";
  EXPECT_EQ(s.disconnect, expected.disconnect) << "Disconnect enabled";
  EXPECT_EQ(s.open, expected.open) << "Open enabled";
  EXPECT_EQ(s.save, expected.save) << "Save enabled";
  EXPECT_EQ(s.execute, expected.execute) << "Execute enabled";
  EXPECT_EQ(s.paste, expected.paste) << "Paste enabled";
}

constexpr CycleState kDisconnected{false, false, false, true, true, false, false, false, false, false};
constexpr CycleState kConnected{true, true, true, false, false, true, true, true, false, false};

class QueryWindowState : public QueryWindowFixture {};

TEST_F(QueryWindowState, LoadWithSavedConnectionsListsThemAndSelectsTheFirst) {
  saveShopAndBroken();
  app_->Range("C7")->Select();
  formSQLNew& w = openWindow();

  EXPECT_EQ(w.Caption(), "Tavrello");
  EXPECT_EQ(w.TextCell.Text(), "$C$7");
  EXPECT_EQ(w.ComboConnections.Items(), (std::vector<std::string>{"Shop", "Broken"}));
  EXPECT_EQ(w.ComboConnections.ListIndex(), 0);
  EXPECT_EQ(w.ComboConnections.Text(), "Shop");
  // Selecting the first entry found the builder on another connection and
  // disconnected it, which is what disables Open and Save.
  expectState(w, kDisconnected);
  for (auto* box : {&w.CheckBoxImportHeadings, &w.CheckAutofilter, &w.CheckNewWorkbook}) {
    EXPECT_EQ(box->Value(), 1) << box->Name();
    EXPECT_FALSE(box->Enabled()) << box->Name();
  }
  for (auto* box : {&w.CheckActiveCell, &w.CheckSelectCell}) {
    EXPECT_EQ(box->Value(), 0) << box->Name();
    EXPECT_FALSE(box->Enabled()) << box->Name();
  }
  EXPECT_EQ(w.ComboFormats.Items(), (std::vector<std::string>{"No Formatting", "Grey and White", "Green and White",
                                                              "Green and Black", "Black and Grey"}));
  EXPECT_EQ(w.ComboFormats.Text(), "Grey and White");
  EXPECT_FALSE(w.ComboFormats.Enabled());
  EXPECT_TRUE(w.CommandEmbed.Enabled());
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
  EXPECT_EQ(w.SSTab1.Tabs(), 2);
  EXPECT_EQ(w.SSTab1.TabCaption(0), "Query View");
  EXPECT_EQ(w.SSTab1.TabCaption(1), "Resultset View");
}

TEST_F(QueryWindowState, LoadWithAnEmptyFileKeepsTheInitialTextAndLeavesOpenAndSaveEnabled) {
  saveConnections({});
  formSQLNew& w = openWindow();
  EXPECT_EQ(w.ComboConnections.Text(), "Combo1");
  EXPECT_EQ(w.ComboConnections.ListCount(), 0);
  EXPECT_TRUE(w.CommandOpenQueryFile.Enabled());
  EXPECT_TRUE(w.CommandSave.Enabled());
  EXPECT_FALSE(w.SSTab1.Visible());
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(QueryWindowState, AFailingLoadShowsTheInstallationMessageReportsAndLeavesTheRestUndone) {
  saveShopAndBroken();
  MGlobals::gxlApp = host::WorkbookApplication::create();  // no workbook open: no active cell to read
  formSQLNew& w = openWindow();
  capture_.expectBox(0, kInstallationMessage, MsgIcon::None);
  capture_.expectReport(1, "Object variable or With block variable not set (Form_Load)");
  EXPECT_EQ(capture_.log(), testing::ReportCapture::entry("formSQLNew", "Form_Load", 91,
                                                          "Object variable or With block variable not set (Form_Load)"));
  EXPECT_TRUE(w.SSTab1.Visible());
  EXPECT_TRUE(w.CommandExecute.Enabled());
  EXPECT_EQ(w.ComboConnections.ListCount(), 0);
  EXPECT_EQ(w.ComboFormats.ListCount(), 0);
}

TEST_F(QueryWindowState, AConnectionWithOneChildShowsTheInstallationMessage) {
  testing::writeFile(capture_.settingsFile(),
                     "<connections><c><name>Only a name</name></c></connections>");
  formSQLNew& w = openWindow();
  capture_.expectBox(0, kInstallationMessage, MsgIcon::None);
  ASSERT_EQ(capture_.dialogs().boxes().size(), 2u);
  EXPECT_EQ(capture_.dialogs().boxes()[1].icon, MsgIcon::Critical);
  EXPECT_EQ(w.ComboConnections.ListCount(), 0);
}

TEST_F(QueryWindowState, ConnectDisconnectAndAChangeOfConnection) {
  saveShopAndBroken();
  formSQLNew& w = openWindow();

  w.CommandConnect.userClick();
  expectState(w, kConnected);
  EXPECT_EQ(w.SSTab1.Tab(), 0);
  EXPECT_TRUE(w.SQLBuilder.Connected());
  EXPECT_EQ(w.SQLBuilder.ConnectionString(), shopConnection());

  // Choosing the same connection again keeps the builder connected.
  w.ComboConnections.userSelect(0);
  EXPECT_TRUE(w.SQLBuilder.Connected());
  expectState(w, kConnected);

  // Another connection disconnects it; the user must connect again.
  w.ComboConnections.userSelect(1);
  EXPECT_FALSE(w.SQLBuilder.Connected());
  expectState(w, kDisconnected);

  w.ComboConnections.userSelect(0);
  w.CommandConnect.userClick();
  w.CommandDisconnect.userClick();
  expectState(w, kDisconnected);
  EXPECT_FALSE(w.SQLBuilder.Connected());
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(QueryWindowState, AFailingConnectLeavesTheWindowDisconnectedWithOneLogEntry) {
  saveShopAndBroken();
  formSQLNew& w = openWindow();
  w.ComboConnections.userSelect(1);
  w.CommandConnect.userClick();
  expectState(w, kDisconnected);
  EXPECT_FALSE(w.SQLBuilder.Connected());
  EXPECT_TRUE(w.SQLBuilder.ConnectionString().find("gone.db") != std::string::npos);
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_EQ(capture_.dialogs().boxes()[0].icon, MsgIcon::Critical);
  const std::string log = capture_.log();
  EXPECT_NE(log.find("[Tavrello]formSQLNew.CommandConnect_Click, Error "), std::string::npos);
  EXPECT_NE(log.find("(CommandConnect_Click)\r\n\r\n"), std::string::npos);
  EXPECT_EQ(log.find("\r\n\r\n"), log.size() - 4) << "exactly one entry";
}

TEST_F(QueryWindowState, ConnectWithThePlaceholderOnlyTellsTheUser) {
  saveConnections({});
  formSQLNew& w = openWindow();
  w.ComboConnections.Text(formSQLNew::kNoConnectionItem);
  w.CommandConnect.userClick();
  capture_.expectBox(0, "You need to add a connection - Please use the New/Edit Button", MsgIcon::Information);
  EXPECT_FALSE(w.SSTab1.Visible());
  EXPECT_TRUE(w.CommandConnect.Enabled());
  EXPECT_EQ(w.SQLBuilder.ConnectionString(), "");
}

TEST_F(QueryWindowState, NewEditShowsTheConnectionManagerModallyAndReleasesItAfterwards) {
  saveShopAndBroken();
  formSQLNew& w = openWindow();
  std::vector<std::string> listed;
  capture_.dialogs().onModal("formProfiles", [&](forms::Form& manager) {
    EXPECT_TRUE(manager.Modal());
    for (const auto& row : manager.controlAs<forms::ListBox>("ListConnections").List()) listed.push_back(row.at(0));
    manager.userClose();
  });
  w.CommandManage.userClick();
  EXPECT_EQ(capture_.dialogs().modalForms(), std::vector<std::string>{"formProfiles"});
  EXPECT_EQ(listed, (std::vector<std::string>{"Shop", "Broken"}));
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
  EXPECT_TRUE(windowOpen());

  // While connected, New/Edit is disabled and the click does nothing.
  w.CommandConnect.userClick();
  w.CommandManage.userClick();
  EXPECT_EQ(capture_.dialogs().modalForms().size(), 1u);
}

TEST_F(QueryWindowState, CloseRefillsTheToolbarComboAndUnloadsTheWindow) {
  saveConnections({{"One", shopConnection()}, {"Two", shopConnection()}, {"Three", shopConnection()}});
  formSQLNew& w = openWindow();
  w.CommandConnect.userClick();
  toolbarCombo()->Clear();
  w.CommandClose.userClick();
  EXPECT_FALSE(windowOpen());
  EXPECT_FALSE(w.SQLBuilder.Connected());
  EXPECT_EQ(w.SQLBuilder.ConnectionString(), "") << "Close resets the builder";
  auto combo = toolbarCombo();
  ASSERT_EQ(combo->ListCount(), 4);
  EXPECT_EQ(combo->List(1), "Tavrello Toolbar");
  EXPECT_EQ(combo->List(2), "One");
  EXPECT_EQ(combo->List(4), "Three");
  EXPECT_EQ(combo->ListIndex(), 1);
}

TEST_F(QueryWindowState, TheCloseBoxDisconnectsWithoutResettingAndCopiesEveryEntry) {
  saveShopAndBroken();
  formSQLNew& w = openWindow();
  w.CommandConnect.userClick();
  w.ComboConnections.AddItem(formSQLNew::kNoConnectionItem);
  w.userClose();
  EXPECT_FALSE(windowOpen());
  EXPECT_FALSE(w.SQLBuilder.Connected());
  EXPECT_EQ(w.SQLBuilder.ConnectionString(), shopConnection()) << "the close box does not reset";
  auto combo = toolbarCombo();
  ASSERT_EQ(combo->ListCount(), 4);
  EXPECT_EQ(combo->List(4), formSQLNew::kNoConnectionItem);
}

TEST_F(QueryWindowState, ClosingWithoutConnectionsCopiesNoInitialText) {
  saveConnections({});
  formSQLNew& w = openWindow();
  w.CommandClose.userClick();
  auto combo = toolbarCombo();
  EXPECT_EQ(combo->ListCount(), 1);
  EXPECT_EQ(combo->Text(), "Tavrello Toolbar");
}

}  // namespace
}  // namespace tavrello
