#include "platform/host/workbook/bar_placement_store.h"

#include <gtest/gtest.h>

#include "platform/host/workbook/host_command_bars.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/registry.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

TEST(BarPlacementStore, TheBuiltInBarsComeBackWhereTheUserLeftThem) {
  tavrello::testing::FakeHome home;
  {
    auto app = WorkbookApplication::create();
    auto formatting = app->CommandBars()->Item("Formatting");
    formatting->Position(MsoBarPosition::Floating);
    formatting->Left(-40);
    formatting->Top(300);
    formatting->Width(120);
    app->CommandBars()->Item("Standard")->Visible(false);
    app->CommandBars()->Add(std::string("Mine"), MsoBarPosition::Floating, false, false);
    saveBuiltInBarPlacement(*app->commandBars());
  }
  auto app = WorkbookApplication::create();
  loadBuiltInBarPlacement(*app->commandBars());
  auto formatting = app->CommandBars()->Item("Formatting");
  EXPECT_EQ(formatting->Position(), MsoBarPosition::Floating);
  EXPECT_EQ(formatting->Left(), -40);
  EXPECT_EQ(formatting->Top(), 300);
  EXPECT_EQ(formatting->Width(), 120);
  EXPECT_EQ(formatting->Height(), 26);
  EXPECT_FALSE(app->CommandBars()->Item("Standard")->Visible());
  EXPECT_TRUE(app->CommandBars()->Item("Worksheet Menu Bar")->Visible());
  EXPECT_EQ(app->CommandBars()->Count(), 3);  // the add-ins' bars are not the host's to remember
}

TEST(BarPlacementStore, BadStoredValuesLeaveTheBarsOwn) {
  tavrello::testing::FakeHome home;
  auto key = sys::RegKey::create(sys::HKEY_CURRENT_USER, "Software\\Tavrello\\Workbook Host\\CommandBars\\Standard");
  key.writeDword("Position", 9);
  key.writeString("Left", "not a number");
  key.writeDword("RowIndex", 0xFFFFFFFF);
  auto app = WorkbookApplication::create();
  loadBuiltInBarPlacement(*app->commandBars());
  auto standard = app->CommandBars()->Item("Standard");
  EXPECT_EQ(standard->Position(), MsoBarPosition::Top);
  EXPECT_EQ(standard->Left(), 0);
  EXPECT_EQ(standard->RowIndex(), 2);
}

}  // namespace
}  // namespace tavrello::host
