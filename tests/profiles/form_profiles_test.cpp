#include "profiles/form_profiles.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "connection_dialogs_fixture.h"
#include "profiles/settings_store.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using forms::MsgButtons;
using forms::MsgIcon;
using forms::MsgResult;
using testing::kEmptySettingsFile;
using testing::ReportCapture;

constexpr const char* kInstallationMessage =
    "There appears to be a problem with the Installation of the Addin.\r"
    "Please check that you have the Connection.Settings.xml file in the same folder as the DLL\r"
    "Please try reinstalling and report this problem.";
constexpr const char* kRemoveQuestion = "Are you sure you want \r\nto delete this connection?";
constexpr const char* kNothingSelected = "Please select an connection from the list - nothing is selected now!";

const std::vector<ConnectionProfile> kFive = {
    {"Sample", "Provider=SQLite;Data Source=/srv/sample.db"},
    {"R&D <lab>", "Driver={PostgreSQL Unicode};Server=db;PWD=a<b&c>;"},
    {"Sales", "DSN=sales;"},
    {"Sales", "DSN=sales_archive;"},
    {"Empty", ""},
};

class ConnectionManager : public testing::ConnectionDialogsFixture {
 protected:
  std::vector<std::string> names(const formSQLNew& w) const { return w.ComboConnections.Items(); }
};

TEST_F(ConnectionManager, FiveSavedConnectionsOpenWithTheFirstSelectedAndEditAndRemoveEnabled) {
  saveConnections(kFive);
  bool shown = false;
  onManager([&](formProfiles& m) {
    shown = true;
    EXPECT_TRUE(m.Modal());
    EXPECT_EQ(m.workingList(), kFive);
    EXPECT_EQ(m.ListConnections.ListIndex(), 0);
    EXPECT_EQ(m.ListConnections.ColumnCount(), 2);
    EXPECT_EQ(m.ListConnections.ColumnWidths(), "68;0");
    EXPECT_EQ(m.ListConnections.Value(), kFive[0].connectionString) << "the hidden column is the value";
    EXPECT_TRUE(m.CommandButtonEdit.Enabled());
    EXPECT_TRUE(m.CommandButtonRemove.Enabled());
    EXPECT_TRUE(m.CommandButtonAdd.Enabled());
    EXPECT_TRUE(m.CommandButtonOK.Enabled());
    EXPECT_EQ(m.FrameProfiles.Caption(), "Profiles");
    EXPECT_EQ(m.ListConnections.Container(), "FrameProfiles");
    EXPECT_EQ(m.CommandButtonOK.Container(), "") << "OK stands outside the frame";
    m.userClose();
  });
  openManager();
  EXPECT_TRUE(shown);
  EXPECT_EQ(MGlobals::ConnectionList.rows(), kFive);
  EXPECT_FALSE(managerOpen()) << "the close box releases the manager";
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(ConnectionManager, AnEmptyOrMissingFileOpensAnEmptyListWithEditAndRemoveDisabledAndAddStillWorks) {
  buildToolbar();
  for (bool missing : {false, true}) {
    SCOPED_TRACE(missing ? "missing file" : "empty file");
    if (missing) {
      fs::remove(capture_.settingsFile());
    } else {
      testing::writeFile(capture_.settingsFile(), "");
    }
    onEditor([](formConnection& e) { fillAndConfirm(e, "Shop", "DSN=shop;"); });
    onManager([&](formProfiles& m) {
      EXPECT_EQ(m.ListConnections.ListCount(), 0);
      EXPECT_EQ(m.ListConnections.ColumnCount(), 1) << "the design layout stays";
      EXPECT_FALSE(m.CommandButtonEdit.Enabled());
      EXPECT_FALSE(m.CommandButtonRemove.Enabled());
      m.CommandButtonAdd.userClick();
      EXPECT_EQ(m.workingList(), (std::vector<ConnectionProfile>{{"Shop", "DSN=shop;"}}));
      EXPECT_EQ(m.ListConnections.ListIndex(), 0) << "the new row is selected";
      EXPECT_TRUE(m.CommandButtonEdit.Enabled());
      EXPECT_TRUE(m.CommandButtonRemove.Enabled());
      m.userClose();
    });
    openManager();
    EXPECT_EQ(settings(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n"
              "\t<connection1>\r\n\t\t<name>Shop</name>\r\n\t\t<value>DSN=shop;</value>\r\n\t</connection1>\r\n"
              "</connections>\r\n");
    EXPECT_TRUE(capture_.dialogs().boxes().empty());
    forms::unloadAllSharedForms();
  }
}

TEST_F(ConnectionManager, RemovingTheOnlyConnectionAsksEmptiesTheListDisablesEditAndRemoveAndWritesThreeLines) {
  saveConnections({{"Only", "DSN=only;"}});
  onManager([&](formProfiles& m) {
    m.CommandButtonRemove.userClick();
    EXPECT_EQ(m.ListConnections.ListCount(), 0);
    EXPECT_FALSE(m.CommandButtonEdit.Enabled());
    EXPECT_FALSE(m.CommandButtonRemove.Enabled());
    EXPECT_EQ(settings(), kEmptySettingsFile) << "written before OK";
    m.userClose();
  });
  openManager();
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  capture_.expectBox(0, kRemoveQuestion, MsgIcon::Exclamation, MsgButtons::YesNo);
  EXPECT_EQ(MGlobals::ConnectionList.rows(), (std::vector<ConnectionProfile>{{"Only", "DSN=only;"}}))
      << "the ConnectionList catches up only on OK";
}

TEST_F(ConnectionManager, AnsweringNoChangesNothingAndWritesNothing) {
  saveCompact(kFive);
  const std::string before = settings();
  capture_.dialogs().answerMessageBox(MsgResult::No);
  onManager([&](formProfiles& m) {
    m.ListConnections.userSelect(2);
    m.CommandButtonRemove.userClick();
    EXPECT_EQ(m.workingList(), kFive);
    EXPECT_EQ(m.ListConnections.ListIndex(), 2);
    EXPECT_TRUE(m.CommandButtonRemove.Enabled());
    m.userClose();
  });
  openManager();
  EXPECT_EQ(settings(), before);
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u);
}

TEST_F(ConnectionManager, RemovingAMiddleRowWritesTheRestRenumbered) {
  saveConnections(kFive);
  onManager([&](formProfiles& m) {
    m.ListConnections.userSelect(1);
    m.CommandButtonRemove.userClick();
    EXPECT_EQ(m.ListConnections.ListIndex(), -1);
    EXPECT_FALSE(m.CommandButtonEdit.Enabled()) << "nothing is selected after the removal";
    EXPECT_FALSE(m.CommandButtonRemove.Enabled());
    m.CommandButtonOK.userClick();
  });
  openManager();
  EXPECT_EQ(settings(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<connections>\r\n"
            "\t<connection1>\r\n"
            "\t\t<name>Sample</name>\r\n"
            "\t\t<value>Provider=SQLite;Data Source=/srv/sample.db</value>\r\n"
            "\t</connection1>\r\n"
            "\t<connection2>\r\n"
            "\t\t<name>Sales</name>\r\n"
            "\t\t<value>DSN=sales;</value>\r\n"
            "\t</connection2>\r\n"
            "\t<connection3>\r\n"
            "\t\t<name>Sales</name>\r\n"
            "\t\t<value>DSN=sales_archive;</value>\r\n"
            "\t</connection3>\r\n"
            "\t<connection4>\r\n"
            "\t\t<name>Empty</name>\r\n"
            "\t\t<value></value>\r\n"
            "\t</connection4>\r\n"
            "</connections>\r\n");
  EXPECT_EQ(fs::status(capture_.settingsFile()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ConnectionManager, CancellingTheEditorAfterAddRewritesTheFileWithTheSameContent) {
  saveCompact({{"R&D", "DSN=a<b;"}});
  onEditor([](formConnection& e) {
    type(e.TextName, "Typed but cancelled");
    e.CommandButtonCancel.userClick();
  });
  onManager([](formProfiles& m) {
    m.CommandButtonAdd.userClick();
    m.userClose();
  });
  openManager();
  EXPECT_EQ(settings(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n"
            "\t<connection1>\r\n\t\t<name>R&amp;D</name>\r\n\t\t<value>DSN=a&lt;b;</value>\r\n\t</connection1>\r\n"
            "</connections>\r\n");
  EXPECT_FALSE(editorOpen());
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(ConnectionManager, TheEditorsCloseBoxActsLikeCancel) {
  saveCompact({{"One", "DSN=one;"}});
  onEditor([](formConnection& e) {
    type(e.TextConnectionString, "DSN=changed;");
    e.userClose();
  });
  onManager([](formProfiles& m) {
    m.CommandButtonEdit.userClick();
    EXPECT_EQ(m.workingList(), (std::vector<ConnectionProfile>{{"One", "DSN=one;"}}));
    m.userClose();
  });
  openManager();
  EXPECT_NE(settings().find("\t\t<value>DSN=one;</value>\r\n"), std::string::npos) << "rewritten, unchanged";
  EXPECT_FALSE(editorOpen());
}

TEST_F(ConnectionManager, OkReloadsTheFileRefillsTheQueryWindowAndSelectsItsFirstConnection) {
  saveConnections({});
  formSQLNew& w = openWindow();
  // Loading with no connection leaves Open and Save enabled; the choice of
  // a connection that OK makes disconnects the builder, which disables them.
  ASSERT_TRUE(w.CommandSave.Enabled());
  onEditor([&](formConnection& e) { fillAndConfirm(e, "Shop", shopConnection()); });
  onManager([](formProfiles& m) {
    m.CommandButtonAdd.userClick();
    m.CommandButtonOK.userClick();
  });
  w.CommandManage.userClick();
  EXPECT_FALSE(managerOpen());
  EXPECT_EQ(names(w), std::vector<std::string>{"Shop"});
  EXPECT_EQ(w.ComboConnections.ListIndex(), 0);
  EXPECT_EQ(w.ComboConnections.Text(), "Shop");
  EXPECT_FALSE(w.CommandSave.Enabled()) << "ComboConnections_Click ran";
  EXPECT_EQ(MStandardCode::GetDataStringFromConnectionsArray("Shop", 1), shopConnection());

  // The user connects with the new connection, and the toolbar lists it once
  // the window closes.
  w.CommandConnect.userClick();
  EXPECT_TRUE(w.SQLBuilder.Connected());
  w.CommandClose.userClick();
  ASSERT_EQ(toolbarCombo()->ListCount(), 2);
  EXPECT_EQ(toolbarCombo()->List(2), "Shop");
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(ConnectionManager, TheCloseBoxInsteadOfOkLeavesTheFileWrittenAndTheListsUnrefreshed) {
  saveShopAndBroken();
  onManager([](formProfiles& m) {
    m.ListConnections.userSelect(1);
    m.CommandButtonRemove.userClick();
    m.userClose();
  });
  formSQLNew& w = openManager();
  EXPECT_EQ(names(w), (std::vector<std::string>{"Shop", "Broken"}));
  EXPECT_NE(MStandardCode::GetDataStringFromConnectionsArray("Broken", 1), "");
  EXPECT_EQ(settings().find("Broken"), std::string::npos);
}

TEST_F(ConnectionManager, OkAfterRemovingEveryConnectionLeavesOnlyThePlaceholderSelected) {
  saveShopAndBroken();
  onManager([](formProfiles& m) {
    m.CommandButtonRemove.userClick();
    m.ListConnections.userSelect(0);
    m.CommandButtonRemove.userClick();
    EXPECT_EQ(m.ListConnections.ListCount(), 0);
    m.CommandButtonOK.userClick();
  });
  formSQLNew& w = openManager();
  EXPECT_EQ(names(w), std::vector<std::string>{formSQLNew::kNoConnectionItem});
  EXPECT_EQ(w.ComboConnections.ListIndex(), 0);
  EXPECT_EQ(w.ComboConnections.Text(), "Please Add Connection");
  EXPECT_EQ(settings(), kEmptySettingsFile);
  // The ConnectionList keeps its old rows: a lookup still finds them.
  EXPECT_EQ(MStandardCode::GetDataStringFromConnectionsArray("Shop", 1), shopConnection());
  // Connect now asks for a connection instead of connecting.
  w.CommandConnect.userClick();
  capture_.expectBox(2, "You need to add a connection - Please use the New/Edit Button", MsgIcon::Information);
  EXPECT_FALSE(w.SQLBuilder.Connected());
}

TEST_F(ConnectionManager, ADamagedFileShowsTheInstallationMessageAndTheRowsBeforeTheDamage) {
  saveShopAndBroken();
  formSQLNew& w = openWindow();  // the ConnectionList holds these two
  testing::writeFile(capture_.settingsFile(),
                     "<connections><c><name>Good</name><value>DSN=good;</value></c><c><name>Short</name></c>"
                     "</connections>");
  onEditor([](formConnection& e) {
    // Edit with nothing selected opens with empty fields and adds a row.
    EXPECT_EQ(e.TextName.Text(), "");
    EXPECT_EQ(e.TextConnectionString.Text(), "");
    EXPECT_TRUE(e.CommandOK.Enabled());
    fillAndConfirm(e, "Added", "DSN=added;");
  });
  onManager([&](formProfiles& m) {
    EXPECT_EQ(m.workingList(), (std::vector<ConnectionProfile>{{"Good", "DSN=good;"}}));
    EXPECT_EQ(m.ListConnections.ListIndex(), -1);
    EXPECT_TRUE(m.CommandButtonEdit.Enabled()) << "left as designed";
    EXPECT_TRUE(m.CommandButtonRemove.Enabled());
    EXPECT_EQ(MGlobals::ConnectionList.rows().size(), 2u) << "not replaced";
    m.CommandButtonRemove.userClick();
    capture_.expectBox(2, kNothingSelected, MsgIcon::Exclamation);
    m.CommandButtonEdit.userClick();
    EXPECT_EQ(m.workingList(), (std::vector<ConnectionProfile>{{"Good", "DSN=good;"}, {"Added", "DSN=added;"}}));
    EXPECT_EQ(m.ListConnections.ListIndex(), 1);
    m.userClose();
  });
  w.CommandManage.userClick();
  capture_.expectBox(0, kInstallationMessage, MsgIcon::None);
  const std::string report = "Object variable or With block variable not set (UserForm_Initialize)";
  capture_.expectReport(1, report);
  EXPECT_EQ(capture_.log(), ReportCapture::entry("formProfiles", "UserForm_Initialize", 91, report));
  EXPECT_EQ(capture_.dialogs().boxes().size(), 3u);
  EXPECT_NE(settings().find("<name>Added</name>"), std::string::npos);
}

TEST_F(ConnectionManager, ASaveWithoutTheDataFolderIsReportedAndTheOldFileIsKept) {
  saveConnections({{"Old", "DSN=old;"}});
  const std::string before = settings();
  const fs::path away = capture_.home().dataHome() / "away";
  onEditor([&](formConnection& e) {
    fs::rename(capture_.dataFolder(), away);
    fillAndConfirm(e, "New", "DSN=new;");
    EXPECT_FALSE(editorOpen()) << "the editor closes after the failed save";
  });
  onManager([](formProfiles& m) {
    m.CommandButtonAdd.userClick();
    EXPECT_EQ(m.workingList().size(), 2u) << "the working list holds the change";
    m.userClose();
  });
  openManager();
  EXPECT_FALSE(fs::exists(capture_.dataFolder())) << "nothing creates the data folder";
  // One report from the editor's OK and one from the manager's rewrite after it.
  ASSERT_EQ(capture_.dialogs().boxes().size(), 2u);
  for (const auto& box : capture_.dialogs().boxes()) {
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(box.text.substr(box.text.size() - 18), " (Update_XML_File)") << box.text;
  }
  EXPECT_EQ(MStandardCode::GetDataStringFromConnectionsArray("New", 1), "DSN=new;");
  fs::rename(away, capture_.dataFolder());
  EXPECT_EQ(settings(), before);
}

TEST_F(ConnectionManager, UpdateWithoutAnOpenManagerOpensItHiddenAndWritesTheFileAsRead) {
  saveCompact({{"One", "DSN=one;"}});
  MStandardCode::Update_XML_File();
  ASSERT_TRUE(managerOpen());
  EXPECT_FALSE(forms::SharedForm<formProfiles>::instance()->Visible());
  EXPECT_EQ(settings(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n"
            "\t<connection1>\r\n\t\t<name>One</name>\r\n\t\t<value>DSN=one;</value>\r\n\t</connection1>\r\n"
            "</connections>\r\n");
}

TEST_F(ConnectionManager, NewEditOpensAFreshManagerEveryTime) {
  saveConnections({{"One", "DSN=one;"}});
  formSQLNew& w = openWindow();
  int opened = 0;
  onManager([&](formProfiles& m) {
    ++opened;
    EXPECT_EQ(m.ListConnections.ListCount(), 1) << "initialised from the file again";
    m.ListConnections.AddItem("not saved");
    // Left open: the scripted dialog only hides it.
  });
  w.CommandManage.userClick();
  EXPECT_FALSE(managerOpen());
  w.CommandManage.userClick();
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(capture_.dialogs().modalForms(), (std::vector<std::string>{"formProfiles", "formProfiles"}));
}

}  // namespace
}  // namespace tavrello
