#include "profiles/form_connection.h"

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "connection_dialogs_fixture.h"
#include "profiles/settings_store.h"

namespace tavrello {
namespace {

using forms::MsgIcon;

constexpr const char* kNameMissing = "Please enter a name for the Connection.";

class ConnectionEditor : public testing::ConnectionDialogsFixture {
 protected:
  formSQLNew& w() { return *window_; }

  // Opens the manager from the query window, selects `row` (unless -1),
  // clicks the button named `button` and then OK.
  void run(const char* button, int row = 0) {
    onManager([=](formProfiles& m) {
      if (row >= 0) m.ListConnections.userSelect(row);
      m.controlAs<forms::CommandButton>(button).userClick();
      m.CommandButtonOK.userClick();
    });
    openManager();
  }
};

TEST_F(ConnectionEditor, AddOpensEmptyWithOkDisabledUntilTheStringGetsACharacterAndThenKeepsItEnabled) {
  saveConnections({{"One", "DSN=one;"}});
  onEditor([&](formConnection& e) {
    EXPECT_EQ(e.Caption(), "Tavrello - Connection");
    EXPECT_EQ(e.TextName.Text(), "");
    EXPECT_EQ(e.TextConnectionString.Text(), "");
    EXPECT_EQ(e.ActiveControl(), &e.TextName) << "the name takes the keyboard first";
    EXPECT_FALSE(e.CommandOK.Enabled());
    type(e.TextName, "Blank string");
    e.CommandOK.userClick();
    EXPECT_TRUE(e.Visible()) << "a disabled OK does nothing";
    type(e.TextConnectionString, "D");
    EXPECT_TRUE(e.CommandOK.Enabled());
    type(e.TextConnectionString, "");
    EXPECT_TRUE(e.CommandOK.Enabled()) << "nothing disables OK again";
    e.CommandOK.userClick();
  });
  run("CommandButtonAdd");
  EXPECT_EQ(MGlobals::ConnectionList.rows(),
            (std::vector<ConnectionProfile>{{"One", "DSN=one;"}, {"Blank string", ""}}));
  EXPECT_NE(settings().find("\t\t<name>Blank string</name>\r\n\t\t<value></value>\r\n"), std::string::npos);
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(ConnectionEditor, OkWithAnEmptyNameShowsTheMessageAndKeepsTheDialogOpenAsTyped) {
  saveConnections({{"One", "DSN=one;"}});
  const std::string before = settings();
  onEditor([&](formConnection& e) {
    type(e.TextConnectionString, "DSN=typed;");
    e.CommandOK.userClick();
    EXPECT_TRUE(e.Visible());
    EXPECT_EQ(e.TextName.Text(), "");
    EXPECT_EQ(e.TextConnectionString.Text(), "DSN=typed;");
    e.CommandButtonCancel.userClick();
  });
  run("CommandButtonAdd");
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  capture_.expectBox(0, kNameMissing, MsgIcon::Information);
  EXPECT_EQ(settings(), before) << "rewritten after the cancel with the same rows";
  EXPECT_EQ(w().ComboConnections.Items(), std::vector<std::string>{"One"});
}

TEST_F(ConnectionEditor, ABlankNameAndADuplicateNameAreStoredAsTyped) {
  saveConnections({{"Twin", "DSN=first;"}});
  onEditor([](formConnection& e) { fillAndConfirm(e, "   ", "DSN=blank;"); });
  run("CommandButtonAdd");
  onEditor([](formConnection& e) { fillAndConfirm(e, "Twin", "DSN=second;"); });
  run("CommandButtonAdd");
  EXPECT_EQ(settings(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n"
            "\t<connection1>\r\n\t\t<name>Twin</name>\r\n\t\t<value>DSN=first;</value>\r\n\t</connection1>\r\n"
            "\t<connection2>\r\n\t\t<name>   </name>\r\n\t\t<value>DSN=blank;</value>\r\n\t</connection2>\r\n"
            "\t<connection3>\r\n\t\t<name>Twin</name>\r\n\t\t<value>DSN=second;</value>\r\n\t</connection3>\r\n"
            "</connections>\r\n");
  EXPECT_EQ(w().ComboConnections.Items(), (std::vector<std::string>{"Twin", "   ", "Twin"}));
  EXPECT_EQ(MStandardCode::GetDataStringFromConnectionsArray("Twin", 1), "DSN=first;");
  EXPECT_EQ(MStandardCode::GetDataStringFromConnectionsArray("   ", 1), "DSN=blank;");
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(ConnectionEditor, EditOpensWithTheSelectedRowAndOkWithoutChangesRewritesIdenticalBytes) {
  saveConnections({{"A&B", "DSN=a;"}, {"<Second>", "Driver={x};PWD=p>q&r;"}});
  const std::string before = settings();
  onEditor([&](formConnection& e) {
    EXPECT_EQ(e.TextName.Text(), "<Second>");
    EXPECT_EQ(e.TextConnectionString.Text(), "Driver={x};PWD=p>q&r;");
    EXPECT_TRUE(e.CommandOK.Enabled());
    testing::writeFile(capture_.settingsFile(), "");  // so that the rewrite shows
    e.CommandOK.userClick();
  });
  run("CommandButtonEdit", 1);
  EXPECT_EQ(settings(), before);
}

TEST_F(ConnectionEditor, EditChangesTheSelectedRowInPlaceAndKeepsItSelected) {
  saveConnections({{"One", "DSN=one;"}, {"Two", "DSN=two;"}, {"Three", "DSN=three;"}});
  onEditor([](formConnection& e) { fillAndConfirm(e, "Second & last", "DSN=2<3;"); });
  onManager([](formProfiles& m) {
    m.ListConnections.userSelect(1);
    m.CommandButtonEdit.userClick();
    EXPECT_EQ(m.ListConnections.ListIndex(), 1);
    EXPECT_EQ(m.ListConnections.ListCount(), 3);
    EXPECT_EQ(MGlobals::ConnectionList.rows()[1], (ConnectionProfile{"Second & last", "DSN=2<3;"}))
        << "the editor's OK copies the working list in";
    m.CommandButtonOK.userClick();
  });
  openManager();
  EXPECT_NE(settings().find("\t<connection2>\r\n\t\t<name>Second &amp; last</name>\r\n\t\t<value>DSN=2&lt;3;</value>"),
            std::string::npos);
  EXPECT_EQ(w().ComboConnections.Items(), (std::vector<std::string>{"One", "Second & last", "Three"}));
}

TEST_F(ConnectionEditor, TheEditButtonTakesTheStringTheBuilderLastConnectedWith) {
  saveShopAndBroken();
  formSQLNew& window = openWindow();
  std::vector<std::string> taken;
  onEditor([&](formConnection& e) {
    e.CommandButton1.userClick();
    taken.push_back(e.TextConnectionString.Text());
    if (!e.TextConnectionString.Text().empty()) {
      EXPECT_TRUE(e.CommandOK.Enabled());
    }
    e.CommandButtonCancel.userClick();
  });
  onManager([](formProfiles& m) {
    m.CommandButtonAdd.userClick();
    m.userClose();
  });

  window.CommandManage.userClick();  // never connected
  window.CommandConnect.userClick();
  window.CommandDisconnect.userClick();
  window.CommandManage.userClick();  // connected to Shop, then disconnected
  window.ComboConnections.userSelect(1);
  window.CommandManage.userClick();  // Broken chosen, Shop still the last connected
  window.CommandConnect.userClick();  // Broken fails to connect
  window.CommandManage.userClick();

  EXPECT_EQ(taken, (std::vector<std::string>{"", shopConnection(), shopConnection(), ""}));
}

TEST_F(ConnectionEditor, TheEditButtonOpensNoQueryWindow) {
  saveConnections({{"One", "DSN=one;"}});
  onEditor([](formConnection& e) {
    e.CommandButton1.userClick();
    EXPECT_EQ(e.TextConnectionString.Text(), "");
    e.CommandButtonCancel.userClick();
  });
  const auto manager = forms::SharedForm<formProfiles>::instance();
  manager->CommandButtonAdd.userClick();
  EXPECT_FALSE(windowOpen());
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(ConnectionEditor, ANewRowBeyondTheSixteenBitCountIsRefusedAndTheFileStaysReadable) {
  std::string text = "<connections>";
  for (int i = 0; i < 32767; ++i) text += "<c><n>c" + std::to_string(i) + "</n><v>DSN=x;</v></c>";
  testing::writeFile(capture_.settingsFile(), text + "</connections>");
  bool stayedOpen = false;
  onEditor([&](formConnection& e) {
    fillAndConfirm(e, "One too many", "DSN=y;");
    stayedOpen = e.Visible();
    e.CommandButtonCancel.userClick();
  });
  const auto manager = forms::SharedForm<formProfiles>::instance();
  manager->CommandButtonAdd.userClick();
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(manager->ListConnections.ListCount(), 32767);
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  capture_.expectReport(0, "Overflow (CommandOK_Click)");
  EXPECT_EQ(Load_XML_File(), 32767) << "the rewrite after the cancel still reads";
}

}  // namespace
}  // namespace tavrello
