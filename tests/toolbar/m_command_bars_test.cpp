#include "toolbar/m_command_bars.h"

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "platform/host/workbook/workbook_application.h"
#include "profiles/settings_store.h"
#include "support/maker_site.h"
#include "support_lib/forwarding_host.h"
#include "support_lib/report_capture.h"

namespace tavrello {
namespace {

using testing::ForwardingApplication;
using testing::ReportCapture;
using testing::writeFile;

struct ButtonRow {
  std::string tooltip, parameter;
  std::int32_t face;
};

const ButtonRow kButtons[] = {
    {"Quick Load", "Quick Login", 528},
    {"Load Support Page - " + kSupportPageUrl, "Formatting", 610},
    {"Check For Tavrello Updates - will connect to internet to check", "Check For Updates", 141},
    {"About Tavrello", "Comments", 480},
};

std::vector<std::string> itemsOf(const host::CommandBarComboBox& combo) {
  std::vector<std::string> items;
  for (std::int32_t i = 1; i <= combo.ListCount(); ++i) items.push_back(combo.List(i));
  return items;
}

class Toolbar : public ::testing::Test {
 protected:
  void SetUp() override {
    MGlobals::ConnectionList = ConnectionList();
    MGlobals::gxlApp = app_;
  }
  void TearDown() override {
    MGlobals::gxlApp.reset();
    MGlobals::ConnectionList = ConnectionList();
  }

  std::shared_ptr<host::CommandBar> toolbar() { return app_->CommandBars()->Item("Tavrello"); }
  std::shared_ptr<host::CommandBarComboBox> combo() {
    return std::dynamic_pointer_cast<host::CommandBarComboBox>(toolbar()->Controls()->Item(1));
  }
  int barsNamedTavrello() {
    int count = 0;
    for (std::int32_t i = 1; i <= app_->CommandBars()->Count(); ++i) {
      if (app_->CommandBars()->Item(i)->Name() == "Tavrello") ++count;
    }
    return count;
  }

  ReportCapture capture_;
  std::shared_ptr<host::WorkbookApplication> app_ = host::WorkbookApplication::create();
};

TEST_F(Toolbar, WithoutASettingsFileTheComboHoldsOnlyThePlaceholderBesideTheFourButtons) {
  ASSERT_TRUE(MCommandBars::bBuildCommandBars());
  auto bar = toolbar();
  EXPECT_EQ(bar->Position(), host::MsoBarPosition::Floating);
  EXPECT_FALSE(bar->Visible()) << "construction leaves showing it to the position memory";
  EXPECT_TRUE(bar->Temporary());
  auto controls = bar->Controls();
  ASSERT_EQ(controls->Count(), 5);

  auto box = combo();
  ASSERT_TRUE(box);
  EXPECT_EQ(itemsOf(*box), std::vector<std::string>{"Tavrello Toolbar"});
  EXPECT_EQ(box->ListIndex(), 1);
  EXPECT_EQ(box->Text(), "Tavrello Toolbar");
  EXPECT_EQ(box->Width(), 150);
  EXPECT_EQ(box->Parameter(), "Comments");
  EXPECT_EQ(box->Tag(), "") << "the combo's events never reach the dispatcher";
  EXPECT_EQ(box->TooltipText(), "");
  EXPECT_TRUE(box->Temporary());

  for (int i = 0; i < 4; ++i) {
    auto button = std::dynamic_pointer_cast<host::CommandBarButton>(controls->Item(i + 2));
    ASSERT_TRUE(button) << "control " << i + 2;
    EXPECT_EQ(button->Type(), host::MsoControlType::Button);
    EXPECT_EQ(button->TooltipText(), kButtons[i].tooltip);
    EXPECT_EQ(button->Tag(), "pxlTavrello");
    EXPECT_EQ(button->Parameter(), kButtons[i].parameter);
    EXPECT_EQ(button->FaceId(), kButtons[i].face);
    EXPECT_EQ(button->Caption(), "");
    EXPECT_EQ(button->Id(), 1);
    EXPECT_TRUE(button->Temporary());
  }
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
  EXPECT_FALSE(MGlobals::ConnectionList.isSized());
}

TEST_F(Toolbar, ThreeSavedConnectionsFollowThePlaceholderInFileOrder) {
  MStandardCode::Update_XML_File({{"Zeta", "DSN=z;"}, {"Alpha", "DSN=a;"}, {"R&D", "DSN=r;"}});
  ASSERT_TRUE(MCommandBars::bBuildCommandBars());
  auto box = combo();
  EXPECT_EQ(itemsOf(*box), (std::vector<std::string>{"Tavrello Toolbar", "Zeta", "Alpha", "R&D"}));
  EXPECT_EQ(box->ListIndex(), 1);
  EXPECT_EQ(box->Text(), "Tavrello Toolbar");
  EXPECT_EQ(MGlobals::ConnectionList.rows(),
            (std::vector<ConnectionProfile>{{"Zeta", "DSN=z;"}, {"Alpha", "DSN=a;"}, {"R&D", "DSN=r;"}}));
}

TEST_F(Toolbar, BuildingAgainReplacesTheToolbarInsteadOfAddingASecond) {
  ASSERT_TRUE(MCommandBars::bBuildCommandBars());
  auto first = toolbar();
  ASSERT_TRUE(MCommandBars::bBuildCommandBars());
  EXPECT_EQ(barsNamedTavrello(), 1);
  EXPECT_THROW(first->Name(), Failure) << "the earlier bar was deleted";
  EXPECT_EQ(toolbar()->Controls()->Count(), 5);
}

TEST_F(Toolbar, AShortConnectionEntryIsReportedByAddButtonAndTheOtherControlsFollow) {
  writeFile(capture_.settingsFile(),
            "<connections><c><name>Good</name><value>DSN=g;</value></c><c><name>Short</name></c></connections>");
  ASSERT_TRUE(MCommandBars::bBuildCommandBars());
  EXPECT_EQ(itemsOf(*combo()), (std::vector<std::string>{"Tavrello Toolbar", "Good"}));
  EXPECT_EQ(combo()->ListIndex(), 0) << "the combo is left as far as it got";
  EXPECT_EQ(toolbar()->Controls()->Count(), 5);
  const std::string message = "Object variable or With block variable not set (AddButton)";
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  capture_.expectReport(0, message);
  EXPECT_EQ(capture_.log(), ReportCapture::entry("MCommandBars", "AddButton", 91, message));
}

TEST_F(Toolbar, ABarTheHostRefusesIsReportedAndTheBuildFails) {
  auto wrapper = std::make_shared<ForwardingApplication>(app_);
  wrapper->bars().failAdd = Failure(5, "Invalid procedure call or argument");
  MGlobals::gxlApp = wrapper;
  EXPECT_FALSE(MCommandBars::bBuildCommandBars());
  const std::string message = "Invalid procedure call or argument (bBuildCommandBars)";
  capture_.expectReport(0, message);
  EXPECT_EQ(capture_.log(), ReportCapture::entry("MCommandBars", "bBuildCommandBars", 5, message));
  EXPECT_EQ(barsNamedTavrello(), 0);
}

TEST_F(Toolbar, WithoutAHostTheBuildFailsWithItsReport) {
  MGlobals::gxlApp.reset();
  EXPECT_FALSE(MCommandBars::bBuildCommandBars());
  capture_.expectReport(0, "Object variable or With block variable not set (bBuildCommandBars)");
}

TEST_F(Toolbar, AddButtonLeavesOutAnEmptyTooltipOrTag) {
  auto bar = app_->CommandBars()->Add(std::string("Other"), host::MsoBarPosition::Top, false, true);
  MCommandBars::AddButton(bar, "", "", "Plain", 59);
  auto button = std::dynamic_pointer_cast<host::CommandBarButton>(bar->Controls()->Item(1));
  EXPECT_EQ(button->TooltipText(), "");
  EXPECT_EQ(button->Tag(), "");
  EXPECT_EQ(button->Parameter(), "Plain");
  EXPECT_EQ(button->FaceId(), 59);
  MCommandBars::AddButton(nullptr, "x", "y", "z", 1);
  capture_.expectReport(0, "Object variable or With block variable not set (AddButton)");
}

TEST_F(Toolbar, RemovingAMissingToolbarIsQuiet) {
  MCommandBars::RemoveCommandBars();
  ASSERT_TRUE(MCommandBars::bBuildCommandBars());
  MCommandBars::RemoveCommandBars();
  EXPECT_EQ(barsNamedTavrello(), 0);
  MCommandBars::RemoveCommandBars();
  MGlobals::gxlApp.reset();
  MCommandBars::RemoveCommandBars();
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

}  // namespace
}  // namespace tavrello
