#include "toolbar/c_control_events.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "platform/forms/shared_form.h"
#include "platform/host/workbook/workbook_application.h"
#include "query/form_sql_new.h"
#include "support/update_check.h"
#include "support_lib/forwarding_host.h"
#include "support_lib/local_http_server.h"
#include "support_lib/report_capture.h"
#include "toolbar/m_command_bars.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using forms::MsgIcon;
using testing::ForwardingApplication;
using testing::LocalHttpServer;
using testing::ReportCapture;
using testing::ScopedEnv;
using testing::TempDir;

// Everything a click could lead to, recorded: the version page server, the
// browser (a script that writes down the address it was given) and the
// dialog service.
class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::writeFile(opener_, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + (dir_ / "url.tmp").string() + "\"\n/bin/mv \"" +
                                    (dir_ / "url.tmp").string() + "\" \"" + opened().string() + "\"\n");
    fs::permissions(opener_, fs::perms(0755));
    MGlobals::gxlApp = app_;
    ASSERT_TRUE(MCommandBars::bBuildCommandBars());
  }
  void TearDown() override {
    MGlobals::gclsControlEvents.reset();
    MGlobals::gxlApp.reset();
    MGlobals::ConnectionList = ConnectionList();
  }

  fs::path opened() const { return dir_ / "url"; }
  std::string waitForBrowser() {
    for (int i = 0; i < 500 && !fs::exists(opened()); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return testing::readFile(opened());
  }
  std::shared_ptr<host::CommandBarButton> button(std::int32_t index) {
    return std::dynamic_pointer_cast<host::CommandBarButton>(
        app_->CommandBars()->Item("Tavrello")->Controls()->Item(index));
  }
  // Nothing at all happened: no box, no window, no browser.
  void expectNothingRan() {
    EXPECT_TRUE(capture_.dialogs().boxes().empty());
    EXPECT_TRUE(capture_.dialogs().modalForms().empty());
    EXPECT_TRUE(server_.requests().empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(fs::exists(opened()));
  }

  ReportCapture capture_;
  TempDir dir_;
  fs::path opener_ = dir_ / "opener";
  ScopedEnv browser_{"TAVRELLO_URL_OPENER", opener_.string()};
  ScopedEnv noProxy_{"http_proxy", std::nullopt};
  LocalHttpServer server_{{200, "<html><body>1.30</body></html>"}};
  MStandardCode::ScopedVersionPageForTests versionPage_{server_.url("/ApplicationVersion.html")};
  std::shared_ptr<host::WorkbookApplication> app_ = host::WorkbookApplication::create();
};

TEST_F(Dispatch, CreationSearchesByTagOnlyAndBindsTheQuickLoadButton) {
  auto wrapper = std::make_shared<ForwardingApplication>(app_);
  MGlobals::gxlApp = wrapper;
  CControlEvents events;
  EXPECT_TRUE(events.bound());
  ASSERT_EQ(wrapper->bars().findControlCalls.size(), 1u);
  const auto& call = wrapper->bars().findControlCalls[0];
  EXPECT_EQ(call.Type, std::nullopt);
  EXPECT_EQ(call.Id, std::nullopt);
  EXPECT_EQ(call.Tag, std::optional<std::string>("pxlTavrello"));
  EXPECT_FALSE(call.Visible);
}

TEST_F(Dispatch, EveryToolbarButtonRunsItsCommandThoughOnlyOneIsBound) {
  MGlobals::gclsControlEvents = std::make_unique<CControlEvents>();

  button(4)->Execute();  // Check For Updates
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  capture_.expectBox(0, "Tavrello is uptodate", MsgIcon::Information);
  EXPECT_EQ(server_.requests().size(), 1u);

  button(5)->Execute();  // Comments: the about box
  EXPECT_EQ(capture_.dialogs().modalForms(), std::vector<std::string>{"formAbout"});

  button(3)->Execute();  // Formatting: the support page
  EXPECT_EQ(waitForBrowser(),
            "http://www.varnocksystems.com/index.php?option=com_content&task=category&sectionid=3&id=7&Itemid=25");
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u);
}

TEST_F(Dispatch, QuickLoginOpensTheQueryWindowAndCancelsTheDefault) {
  app_->Workbooks()->Add();
  CControlEvents events;
  bool cancel = false;
  events.mctlPasteSpecial_Click(button(2), cancel);
  EXPECT_TRUE(cancel);
  EXPECT_TRUE(forms::SharedForm<formSQLNew>::exists());
  forms::unloadAllSharedForms();
}

TEST_F(Dispatch, ATaggedButtonWithAnUnknownParameterDoesNothingButCancelsTheDefault) {
  CControlEvents events;
  auto other = button(2);
  for (const char* parameter : {"Something Else", "comments", "Check For Updates ", ""}) {
    other->Parameter(parameter);
    bool cancel = false;
    events.mctlPasteSpecial_Click(other, cancel);
    EXPECT_TRUE(cancel) << parameter;
  }
  expectNothingRan();
}

TEST_F(Dispatch, AnUntaggedButtonLeavesCancelDefaultAsTheHostPassedIt) {
  CControlEvents events;
  auto untagged = button(5);
  untagged->Tag("");
  for (bool passed : {false, true}) {
    bool cancel = passed;
    events.mctlPasteSpecial_Click(untagged, cancel);
    EXPECT_EQ(cancel, passed);
  }
  untagged->Tag("PXLTAVRELLO");
  bool cancel = false;
  events.mctlPasteSpecial_Click(untagged, cancel);
  EXPECT_FALSE(cancel) << "the tag is compared exactly";
  expectNothingRan();
}

TEST_F(Dispatch, AfterShutDownLeftoverButtonsReachNoCommand) {
  auto bar = app_->CommandBars()->Add(std::string("Leftover"), host::MsoBarPosition::Top, false, true);
  auto leftover = std::dynamic_pointer_cast<host::CommandBarButton>(bar->Controls()->Add(1, 0, "Check For Updates"));
  leftover->Tag("pxlTavrello");
  MGlobals::gclsControlEvents = std::make_unique<CControlEvents>();
  leftover->Execute();
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u) << "bound, the leftover button works";
  MGlobals::gclsControlEvents.reset();
  leftover->Execute();
  button(4)->Execute();
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_EQ(server_.requests().size(), 1u);
}

TEST_F(Dispatch, WithoutATaggedControlTheReceiverStaysUnbound) {
  MCommandBars::RemoveCommandBars();
  CControlEvents events;
  EXPECT_FALSE(events.bound());
}

TEST_F(Dispatch, AHostThatCannotBeSearchedFailsTheCreation) {
  auto wrapper = std::make_shared<ForwardingApplication>(app_);
  wrapper->bars().failFindControl = Failure::host();
  MGlobals::gxlApp = wrapper;
  EXPECT_THROW(CControlEvents(), Failure);
}

}  // namespace
}  // namespace tavrello
