#include "host/headless_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/host/command_bars.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/host/workbook/workbook_application.h"

namespace tavrello::host {
namespace {

TEST(HeadlessReport, TheAddinsBarsAreShownWithTheirControlsAndTheHostsOwnAreNot) {
  auto app = WorkbookApplication::create();
  auto bars = app->CommandBars();
  auto shown = bars->Add(std::string("Loader"), MsoBarPosition::Bottom, false, true);
  shown->Visible(true);
  auto combo = std::dynamic_pointer_cast<CommandBarComboBox>(shown->Controls()->Add(MsoControlType::ComboBox));
  combo->AddItem("Sample");
  combo->AddItem("Sales");
  combo->Text("Sales");
  auto button = std::dynamic_pointer_cast<CommandBarButton>(shown->Controls()->Add());
  button->TooltipText("Load it");
  button->FaceId(528);
  shown->Controls()->Add()->Visible(false);
  bars->Add(std::string("Hidden"), MsoBarPosition::Floating, false, true);

  std::ostringstream out;
  reportHeadlessSession({"Loader.Connect"}, *bars, out);
  EXPECT_EQ(out.str(),
            "Add-ins connected: Loader.Connect\n"
            "Tool bar \"Loader\", docked bottom, row 1, 3 controls:\n"
            "  combo box: Sample, Sales (shown: \"Sales\")\n"
            "  button \"Load it\" (face 528)\n");
}

TEST(HeadlessReport, NoAddinSaysHowToRegisterOne) {
  auto app = WorkbookApplication::create();
  std::ostringstream out;
  reportHeadlessSession({}, *app->CommandBars(), out);
  EXPECT_EQ(out.str(), "Add-ins connected: none (register one with: tavrello register)\n");
}

}  // namespace
}  // namespace tavrello::host
