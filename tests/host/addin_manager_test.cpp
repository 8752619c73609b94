#include "host/addin_manager.h"

#include <gtest/gtest.h>

#include "host_test_support.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/host/addin_entry.h"
#include "platform/host/workbook/workbook_application.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

using testing::logLines;

class AddinManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { previous = forms::setDialogService(dialogs); }
  void TearDown() override { forms::setDialogService(previous); }

  AddinRegistration recorder(std::uint32_t loadBehavior = kLoadAtStartup) {
    return {"Recorder.Connect", "Recorder", "records its calls", loadBehavior,
            "{0A0A0A0A-0000-0000-0000-000000000001}", TAVRELLO_TEST_ADDIN};
  }

  tavrello::testing::FakeHome home;
  tavrello::testing::ScopedEnv log{"TAVRELLO_TEST_ADDIN_LOG", (home.home() / "calls.log").string()};
  tavrello::testing::ScopedEnv fail{"TAVRELLO_TEST_ADDIN_FAIL", std::nullopt};
  std::shared_ptr<forms::ScriptedDialogService> dialogs = std::make_shared<forms::ScriptedDialogService>();
  std::shared_ptr<forms::DialogService> previous;
  std::shared_ptr<WorkbookApplication> app = WorkbookApplication::create();
};

TEST_F(AddinManagerTest, LoadsTheAddinsRegisteredToLoadAtStartup) {
  writeAddinRegistration(recorder());
  writeAddinRegistration({"Dormant.Connect", "Dormant", "", 0, "{0A0A0A0A-0000-0000-0000-000000000002}",
                          TAVRELLO_TEST_ADDIN});
  AddinManager addins(app);
  EXPECT_EQ(addins.loadRegistered(), 1);
  EXPECT_EQ(addins.loaded(), (std::vector<std::string>{"Recorder.Connect"}));
  EXPECT_EQ(app->CommandBars()->Item("Recorder")->Name(), "Recorder");
  addins.disconnectAll();
  EXPECT_EQ(logLines(home.home() / "calls.log"),
            (std::vector<std::string>{"created", "connect 1 12.0", "disconnect 0"}));
  EXPECT_TRUE(dialogs->boxes().empty());
}

TEST_F(AddinManagerTest, AMissingLibraryIsReportedAndTheHostGoesOn) {
  AddinRegistration missing{"Gone.Connect", "Gone", "", 3, "{0A0A0A0A-0000-0000-0000-000000000003}",
                            (home.home() / "gone.so").string()};
  writeAddinRegistration(missing);
  writeAddinRegistration(recorder());
  AddinManager addins(app);
  EXPECT_EQ(addins.loadRegistered(), 1);
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  const auto& box = dialogs->boxes()[0];
  EXPECT_EQ(box.icon, forms::MsgIcon::Critical);
  EXPECT_EQ(box.title, kHostTitle);
  EXPECT_NE(box.text.find("Gone (Gone.Connect) could not be loaded"), std::string::npos) << box.text;
  EXPECT_NE(box.text.find("gone.so"), std::string::npos) << box.text;
  EXPECT_EQ(addins.loaded(), (std::vector<std::string>{"Recorder.Connect"}));
}

TEST_F(AddinManagerTest, ALibraryWithoutEntryPointOrRegistrationWithoutLibraryIsReported) {
  AddinManager addins(app);
  EXPECT_FALSE(addins.load({"NoEntry.Connect", "", "", 3, "{x}", TAVRELLO_TEST_NO_ENTRY}, ConnectMode::Startup));
  EXPECT_FALSE(addins.load({"Stale.Connect", "", "", 3, "", ""}, ConnectMode::Startup));
  ASSERT_EQ(dialogs->boxes().size(), 2u);
  EXPECT_NE(dialogs->boxes()[0].text.find("entry point"), std::string::npos) << dialogs->boxes()[0].text;
  EXPECT_NE(dialogs->boxes()[1].text.find("names no library"), std::string::npos) << dialogs->boxes()[1].text;
  EXPECT_TRUE(addins.loaded().empty());
}

TEST_F(AddinManagerTest, AFailedConnectIsReportedAndTheAddinIsStillDisconnectedAtExit) {
  tavrello::testing::ScopedEnv refuse("TAVRELLO_TEST_ADDIN_FAIL", "connect");
  {
    AddinManager addins(app);
    EXPECT_TRUE(addins.load(recorder(), ConnectMode::Startup));
    ASSERT_EQ(dialogs->boxes().size(), 1u);
    EXPECT_NE(dialogs->boxes()[0].text.find("refuses to connect"), std::string::npos);
  }
  EXPECT_EQ(logLines(home.home() / "calls.log"),
            (std::vector<std::string>{"created", "connect 1 12.0", "disconnect 0", "released"}));
}

TEST_F(AddinManagerTest, DisablingAnAddinDisconnectsItAsUserClosed) {
  AddinManager addins(app);
  ASSERT_TRUE(addins.load(recorder(), ConnectMode::AfterStartup));
  EXPECT_TRUE(addins.disable("Recorder.Connect"));
  EXPECT_FALSE(addins.disable("Recorder.Connect"));
  EXPECT_TRUE(addins.loaded().empty());
  EXPECT_EQ(logLines(home.home() / "calls.log"),
            (std::vector<std::string>{"created", "connect 0 12.0", "disconnect 1", "released"}));
}

}  // namespace
}  // namespace tavrello::host
