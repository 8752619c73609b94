#include "addin/dsr_connect.h"

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "addin_fixture.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/program_settings.h"
#include "profiles/settings_store.h"
#include "support/update_check.h"
#include "support_lib/forwarding_host.h"
#include "support_lib/local_http_server.h"
#include "support_lib/report_capture.h"
#include "toolbar/c_control_events.h"

namespace tavrello {
namespace {

using forms::MsgIcon;
using testing::ForwardingApplication;
using testing::LocalHttpServer;
using testing::ReportCapture;
using testing::ScopedEnv;
using testing::store;
using testing::stored;

const char* const kKeys[] = {"Visible", "Position", "Left", "Top", "Width", "Height", "RowIndex"};

class Lifecycle : public testing::AddinFixture {
 protected:
  int toolbars(host::Application& app) {
    int count = 0;
    for (std::int32_t i = 1; i <= app.CommandBars()->Count(); ++i) {
      if (app.CommandBars()->Item(i)->Name() == "Tavrello") ++count;
    }
    return count;
  }
  std::shared_ptr<host::CommandBar> toolbar() { return app_->CommandBars()->Item("Tavrello"); }
  std::shared_ptr<host::CommandBarButton> updateButton() {
    return std::dynamic_pointer_cast<host::CommandBarButton>(toolbar()->Controls()->Item(4));
  }
  // The connection failed because the toolbar could not be made: two reports.
  void expectBuildFailureReports() {
    ASSERT_EQ(capture_.dialogs().boxes().size(), 2u);
    capture_.expectReport(0, "Invalid procedure call or argument (bBuildCommandBars)");
    capture_.expectReport(1, "Application-defined or object-defined error");
    EXPECT_EQ(capture_.log(),
              ReportCapture::entry("MCommandBars", "bBuildCommandBars", 5,
                                   "Invalid procedure call or argument (bBuildCommandBars)") +
                  ReportCapture::entry("dsrConnect", "AddinInstance_OnConnection", 9999,
                                       "Application-defined or object-defined error"));
  }

  ScopedEnv noProxy_{"http_proxy", std::nullopt};
  LocalHttpServer server_{{200, "<html><body>1.30</body></html>"}};
  MStandardCode::ScopedVersionPageForTests versionPage_{server_.url("/ApplicationVersion.html")};
  std::shared_ptr<host::WorkbookApplication> app_ = host::WorkbookApplication::create();
  dsrConnect connect_;
};

TEST_F(Lifecycle, FirstStartShowsTheToolbarAndItsButtonsWork) {
  MStandardCode::Update_XML_File({{"Sample", "Provider=SQLite;Data Source=/tmp/x.db"}});
  connect_.AddinInstance_OnConnection(app_, host::ConnectMode::Startup);
  EXPECT_EQ(MGlobals::gxlApp, app_);
  EXPECT_FALSE(MGlobals::gbShutdownInProgress);
  ASSERT_EQ(toolbars(*app_), 1);
  EXPECT_TRUE(toolbar()->Visible());
  EXPECT_EQ(toolbar()->Position(), host::MsoBarPosition::Floating);
  ASSERT_TRUE(MGlobals::gclsControlEvents);
  EXPECT_TRUE(MGlobals::gclsControlEvents->bound());
  EXPECT_EQ(MGlobals::ConnectionList.rowCount(), 1u);
  EXPECT_TRUE(capture_.dialogs().boxes().empty());

  updateButton()->Execute();
  capture_.expectBox(0, "Tavrello is uptodate", MsgIcon::Information);
  EXPECT_EQ(stored("Visible"), "<missing>") << "nothing is stored before the shut-down";
}

TEST_F(Lifecycle, DisconnectSavesThePlaceThenRemovesTheToolbarAndUnbinds) {
  connect_.AddinInstance_OnConnection(app_, host::ConnectMode::Startup);
  auto bar = toolbar();
  bar->Position(host::MsoBarPosition::Bottom);
  bar->RowIndex(2);
  bar->Left(77);
  auto button = updateButton();
  connect_.AddinInstance_OnDisconnection(host::RemoveMode::HostShutdown);
  EXPECT_TRUE(MGlobals::gbShutdownInProgress);
  EXPECT_FALSE(MGlobals::gclsControlEvents);
  EXPECT_EQ(toolbars(*app_), 0);
  EXPECT_EQ(stored("Visible"), "Y");
  EXPECT_EQ(stored("Position"), "3");
  EXPECT_EQ(stored("RowIndex"), "2");
  EXPECT_EQ(stored("Left"), "77");
  for (const char* key : kKeys) EXPECT_NE(stored(key), "<missing>") << key;
  EXPECT_EQ(MGlobals::gxlApp, app_) << "the host object is kept until the add-in is unloaded";
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(Lifecycle, ASecondDisconnectDoesNothing) {
  connect_.AddinInstance_OnConnection(app_, host::ConnectMode::Startup);
  connect_.AddinInstance_OnDisconnection(host::RemoveMode::UserClosed);
  store("Position", "marker");
  // A bar of that name made by someone else afterwards would be removed by a
  // second shut-down.
  app_->CommandBars()->Add(std::string("Tavrello"), host::MsoBarPosition::Top, false, true);
  connect_.AddinInstance_OnDisconnection(host::RemoveMode::HostShutdown);
  EXPECT_EQ(stored("Position"), "marker");
  EXPECT_EQ(toolbars(*app_), 1);
}

TEST_F(Lifecycle, AToolbarThatCannotBeBuiltGivesTwoReportsAndAShutDown) {
  auto wrapper = std::make_shared<ForwardingApplication>(app_);
  wrapper->bars().failAdd = Failure(5, "Invalid procedure call or argument");
  connect_.AddinInstance_OnConnection(wrapper, host::ConnectMode::Startup);
  expectBuildFailureReports();
  EXPECT_TRUE(MGlobals::gbShutdownInProgress);
  EXPECT_FALSE(MGlobals::gclsControlEvents);
  EXPECT_EQ(toolbars(*app_), 0);
  EXPECT_EQ(stored("Visible"), "<missing>") << "there was no toolbar to save";
}

TEST_F(Lifecycle, DisconnectAfterAFailedConnectionSavesNothing) {
  auto wrapper = std::make_shared<ForwardingApplication>(app_);
  wrapper->bars().failAdd = Failure(5, "Invalid procedure call or argument");
  connect_.AddinInstance_OnConnection(wrapper, host::ConnectMode::Startup);
  // Whatever the user does with a bar of that name later is not the add-in's.
  wrapper->bars().failAdd.reset();
  app_->CommandBars()->Add(std::string("Tavrello"), host::MsoBarPosition::Top, false, true)->Visible(true);
  connect_.AddinInstance_OnDisconnection(host::RemoveMode::HostShutdown);
  for (const char* key : kKeys) EXPECT_EQ(stored(key), "<missing>") << key;
  EXPECT_EQ(toolbars(*app_), 1);
  EXPECT_EQ(capture_.dialogs().boxes().size(), 2u) << "no further report";
}

TEST_F(Lifecycle, ABadStoredNumberIsReportedOnceAndTheShutDownStoresSoundValues) {
  store("Visible", "Y");
  store("Position", "top");
  connect_.AddinInstance_OnConnection(app_, host::ConnectMode::Startup);
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  capture_.expectReport(0, "Type mismatch (AddinInstance_OnConnection)");
  EXPECT_EQ(capture_.log(), ReportCapture::entry("dsrConnect", "AddinInstance_OnConnection", 13,
                                                 "Type mismatch (AddinInstance_OnConnection)"));
  EXPECT_EQ(toolbars(*app_), 0);
  EXPECT_FALSE(MGlobals::gclsControlEvents);
  EXPECT_EQ(stored("Position"), "4") << "the toolbar's current settings replace the bad ones";
  EXPECT_EQ(stored("Visible"), "Y");

  connect_.AddinInstance_OnConnection(app_, host::ConnectMode::AfterStartup);
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u) << "the next connection starts from sound values";
  EXPECT_EQ(toolbars(*app_), 1);
  EXPECT_TRUE(toolbar()->Visible());
}

TEST_F(Lifecycle, AHostThatCannotBeSearchedFailsTheConnection) {
  auto wrapper = std::make_shared<ForwardingApplication>(app_);
  wrapper->bars().failFindControl = Failure::host();
  connect_.AddinInstance_OnConnection(wrapper, host::ConnectMode::Startup);
  capture_.expectReport(0, "Application-defined or object-defined error (AddinInstance_OnConnection)");
  EXPECT_EQ(toolbars(*app_), 0);
  EXPECT_EQ(stored("Visible"), "Y") << "the shut-down saved the toolbar it removed";
}

TEST_F(Lifecycle, ReconnectingInTheSameProcessStartsAfresh) {
  connect_.AddinInstance_OnConnection(app_, host::ConnectMode::Startup);
  connect_.AddinInstance_OnDisconnection(host::RemoveMode::UserClosed);
  connect_.AddinInstance_OnConnection(app_, host::ConnectMode::AfterStartup);
  EXPECT_FALSE(MGlobals::gbShutdownInProgress);
  EXPECT_EQ(toolbars(*app_), 1);
  ASSERT_TRUE(MGlobals::gclsControlEvents);
  updateButton()->Execute();
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u) << "the buttons are bound again, once";
  connect_.AddinInstance_OnDisconnection(host::RemoveMode::HostShutdown);
  EXPECT_EQ(toolbars(*app_), 0);
}

TEST_F(Lifecycle, AFailedConnectionThenASoundOneInTheSameProcessWorks) {
  auto wrapper = std::make_shared<ForwardingApplication>(app_);
  wrapper->bars().failAdd = Failure(5, "Invalid procedure call or argument");
  connect_.AddinInstance_OnConnection(wrapper, host::ConnectMode::Startup);
  connect_.AddinInstance_OnConnection(app_, host::ConnectMode::AfterStartup);
  EXPECT_FALSE(MGlobals::gbShutdownInProgress);
  EXPECT_EQ(toolbars(*app_), 1);
  EXPECT_EQ(capture_.dialogs().boxes().size(), 2u);
}

TEST_F(Lifecycle, TheToolbarComesBackWhereTheUserLeftItAfterARestart) {
  connect_.AddinInstance_OnConnection(app_, host::ConnectMode::Startup);
  auto bar = toolbar();
  bar->Left(410);
  bar->Top(95);
  bar->Width(260);
  bar->Height(30);
  connect_.AddinInstance_OnDisconnection(host::RemoveMode::HostShutdown);

  // The host exits and starts again: a new host object and a new connection.
  MGlobals::gxlApp.reset();
  auto restarted = host::WorkbookApplication::create();
  dsrConnect again;
  again.AddinInstance_OnConnection(restarted, host::ConnectMode::Startup);
  auto restored = restarted->CommandBars()->Item("Tavrello");
  EXPECT_TRUE(restored->Visible());
  EXPECT_EQ(restored->Position(), host::MsoBarPosition::Floating);
  EXPECT_EQ(restored->Left(), 410);
  EXPECT_EQ(restored->Top(), 95);
  EXPECT_EQ(restored->Width(), 260);
  EXPECT_EQ(restored->Height(), 30);

  restored->Visible(false);
  restored->Position(host::MsoBarPosition::Right);
  restored->Top(150);
  const auto row = restored->RowIndex();
  again.AddinInstance_OnDisconnection(host::RemoveMode::HostShutdown);
  auto third = host::WorkbookApplication::create();
  dsrConnect once_more;
  once_more.AddinInstance_OnConnection(third, host::ConnectMode::Startup);
  auto docked = third->CommandBars()->Item("Tavrello");
  EXPECT_FALSE(docked->Visible());
  EXPECT_EQ(docked->Position(), host::MsoBarPosition::Right);
  EXPECT_EQ(docked->RowIndex(), row);
  EXPECT_EQ(docked->Top(), 150);
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

}  // namespace
}  // namespace tavrello
