#include "platform/host/workbook/host_command_bars.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "platform/host/workbook/book.h"
#include "platform/host/workbook/host_command_bar.h"
#include "platform/host/workbook/workbook_application.h"
#include "support_lib/failure_number.h"

namespace tavrello::host {
namespace {

using tavrello::testing::failureNumber;

// A receiver that records the clicks it gets and answers as told.
class Receiver : public CommandBarButtonEvents {
 public:
  void Click(const std::shared_ptr<CommandBarButton>& Ctrl, bool& CancelDefault) override {
    clicks.push_back(Ctrl->Parameter());
    seenCancel.push_back(CancelDefault);
    if (cancel) CancelDefault = true;
    if (onClick) onClick();
  }
  std::vector<std::string> clicks;
  std::vector<bool> seenCancel;
  bool cancel = false;
  std::function<void()> onClick;
};

class CommandBarsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = WorkbookApplication::create();
    bars = app->CommandBars();
  }

  std::shared_ptr<CommandBarButton> addButton(const std::shared_ptr<CommandBar>& bar, const std::string& tag,
                                              const std::string& parameter) {
    auto control = bar->Controls()->Add(MsoControlType::Button, 0, parameter, std::nullopt, true);
    control->Tag(tag);
    return std::dynamic_pointer_cast<CommandBarButton>(control);
  }

  std::shared_ptr<WorkbookApplication> app;
  std::shared_ptr<CommandBars> bars;
};

TEST_F(CommandBarsTest, TheHostHasItsBuiltInBarsWithUntaggedButtons) {
  ASSERT_EQ(bars->Count(), 3);
  EXPECT_EQ(bars->Item(1)->Name(), "Worksheet Menu Bar");
  auto standard = bars->Item("standard");
  EXPECT_EQ(standard->Name(), "Standard");
  EXPECT_TRUE(standard->BuiltIn());
  EXPECT_TRUE(standard->Visible());
  EXPECT_EQ(standard->Position(), MsoBarPosition::Top);
  EXPECT_EQ(bars->Item("Formatting")->RowIndex(), 3);
  auto bold = bars->Item("Formatting")->Controls()->Item(1);
  EXPECT_TRUE(bold->BuiltIn());
  EXPECT_EQ(bold->Tag(), "");
  EXPECT_EQ(bold->Id(), 113);
  EXPECT_EQ(failureNumber([&] { standard->Delete(); }), 1004);
}

TEST_F(CommandBarsTest, AddRefusesANameThatExistsAndItemRefusesOneThatDoesNot) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  EXPECT_EQ(bar->Name(), "Tavrello");
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(failureNumber([&] { bars->Add(std::string("TAVRELLO"), MsoBarPosition::Floating, false, true); }), 5);
  EXPECT_EQ(failureNumber([&] { bars->Item("Nothing"); }), 5);
  EXPECT_EQ(failureNumber([&] { bars->Item(5); }), 5);
  EXPECT_EQ(failureNumber([&] { bars->Add(std::string("Odd"), 7, false, true); }), 1004);
  EXPECT_EQ(bars->Item("tavrello"), bar);
  EXPECT_EQ(bar->Index(), 4);
  EXPECT_EQ(bars->Add()->Name(), "Custom 1");
  bar->Delete();
  EXPECT_EQ(failureNumber([&] { bars->Item("Tavrello"); }), 5);
  EXPECT_EQ(failureNumber([&] { bar->Visible(true); }), 1004);
  EXPECT_EQ(bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true)->Name(), "Tavrello");
}

TEST_F(CommandBarsTest, ControlsAreAppendedInOrderOrInsertedBefore) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  auto controls = bar->Controls();
  auto combo = controls->Add(MsoControlType::ComboBox, 0, std::string("Comments"), std::nullopt, true);
  auto quick = controls->Add(MsoControlType::Button, 0, std::string("Quick Login"), std::nullopt, true);
  auto about = controls->Add(MsoControlType::Button, 0, std::string("Comments"), std::nullopt, true);
  auto first = controls->Add(MsoControlType::Button, 0, std::string("First"), 1, true);
  EXPECT_EQ(controls->Count(), 4);
  EXPECT_EQ(controls->Item(1), first);
  EXPECT_EQ(controls->Item(2), combo);
  EXPECT_EQ(controls->Item(4)->Parameter(), "Comments");
  EXPECT_EQ(about->Index(), 4);
  EXPECT_EQ(combo->Type(), MsoControlType::ComboBox);
  EXPECT_EQ(quick->Parent(), bar);
  EXPECT_EQ(failureNumber([&] { controls->Item(5); }), 1004);
  EXPECT_EQ(failureNumber([&] { controls->Add(MsoControlType::Button, 0, std::nullopt, 9, true); }), 1004);
  EXPECT_EQ(failureNumber([&] { controls->Add(10); }), 1004);
  EXPECT_EQ(failureNumber([&] { controls->Add(MsoControlType::Button, 424242); }), 1004);
  first->Delete();
  EXPECT_EQ(controls->Count(), 3);
  EXPECT_EQ(controls->Item(1), combo);
  EXPECT_EQ(failureNumber([&] { first->Caption(); }), 1004);
}

TEST_F(CommandBarsTest, ControlPropertiesReadBackAsSet) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  auto button = std::dynamic_pointer_cast<CommandBarButton>(bar->Controls()->Add(MsoControlType::Button));
  ASSERT_TRUE(button);
  button->Caption("&Go");
  button->Tag("pxlTavrello");
  button->Parameter("Quick Login");
  button->TooltipText("Quick Load");
  button->FaceId(528);
  button->Width(30);
  button->Enabled(false);
  button->Visible(false);
  EXPECT_EQ(button->Caption(), "&Go");
  EXPECT_EQ(button->Tag(), "pxlTavrello");
  EXPECT_EQ(button->Parameter(), "Quick Login");
  EXPECT_EQ(button->TooltipText(), "Quick Load");
  EXPECT_EQ(button->FaceId(), 528);
  EXPECT_EQ(button->Width(), 30);
  EXPECT_FALSE(button->Enabled());
  EXPECT_FALSE(button->Visible());
  EXPECT_FALSE(button->BuiltIn());
  EXPECT_EQ(button->Id(), 1);
  EXPECT_EQ(failureNumber([&] { button->Width(-1); }), 1004);
}

TEST_F(CommandBarsTest, ComboEntriesAreNumberedFromOne) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  auto combo = std::dynamic_pointer_cast<CommandBarComboBox>(bar->Controls()->Add(MsoControlType::ComboBox));
  ASSERT_TRUE(combo);
  EXPECT_EQ(combo->ListIndex(), 0);
  combo->AddItem("Tavrello Toolbar");
  combo->AddItem("Sample");
  combo->AddItem("Sales");
  combo->ListIndex(1);
  combo->Width(150);
  EXPECT_EQ(combo->Text(), "Tavrello Toolbar");
  EXPECT_EQ(combo->ListCount(), 3);
  EXPECT_EQ(combo->List(3), "Sales");
  EXPECT_EQ(combo->Width(), 150);
  combo->ListIndex(2);
  EXPECT_EQ(combo->Text(), "Sample");
  combo->AddItem("Archive", 1);
  EXPECT_EQ(combo->ListIndex(), 3);  // the selection follows its entry
  combo->Text("Sales");
  EXPECT_EQ(combo->ListIndex(), 4);
  combo->Text("typed");
  EXPECT_EQ(combo->ListIndex(), 0);
  EXPECT_EQ(failureNumber([&] { combo->ListIndex(5); }), 1004);
  EXPECT_EQ(failureNumber([&] { combo->List(0); }), 1004);
  combo->RemoveItem(1);
  EXPECT_EQ(combo->List(1), "Tavrello Toolbar");
  combo->Clear();
  EXPECT_EQ(combo->ListCount(), 0);
  EXPECT_EQ(combo->ListIndex(), 0);
  EXPECT_EQ(combo->Text(), "");
}

TEST_F(CommandBarsTest, FindControlWithATagFindsTheFirstTaggedControlAnywhere) {
  auto other = bars->Add(std::string("Other"), MsoBarPosition::Top, false, true);
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  bar->Controls()->Add(MsoControlType::ComboBox);
  auto quick = addButton(bar, "pxlTavrello", "Quick Login");
  addButton(bar, "pxlTavrello", "Comments");
  EXPECT_EQ(bars->FindControl(std::nullopt, std::nullopt, std::string("pxlTavrello")), quick);
  EXPECT_EQ(bars->FindControl(std::nullopt, std::nullopt, std::string("nothing")), nullptr);
  EXPECT_EQ(bars->FindControl(std::nullopt, 113)->Caption(), "&Bold");
  // With Visible only controls on visible bars count.
  EXPECT_EQ(bars->FindControl(std::nullopt, std::nullopt, std::string("pxlTavrello"), true), nullptr);
  auto early = addButton(other, "pxlTavrello", "Early");
  EXPECT_EQ(bars->FindControl(std::nullopt, std::nullopt, std::string("pxlTavrello")), early);
}

TEST_F(CommandBarsTest, PlacementReadsBackAsPlaced) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  EXPECT_EQ(bar->Position(), MsoBarPosition::Floating);
  EXPECT_EQ(bar->Left(), 200);
  EXPECT_EQ(bar->Top(), 150);
  bar->Left(321);
  bar->Top(-12);
  bar->Width(250);
  bar->Height(44);
  EXPECT_EQ(bar->Left(), 321);
  EXPECT_EQ(bar->Top(), -12);
  EXPECT_EQ(bar->Width(), 250);
  EXPECT_EQ(bar->Height(), 44);
  // Docking at the top puts the bar on a row of its own below the built-in ones.
  bar->Position(MsoBarPosition::Top);
  EXPECT_EQ(bar->RowIndex(), 4);
  bar->RowIndex(2);
  bar->Position(MsoBarPosition::Top);
  EXPECT_EQ(bar->RowIndex(), 2);
  bar->Position(MsoBarPosition::Bottom);
  EXPECT_EQ(bar->RowIndex(), 1);
  EXPECT_EQ(failureNumber([&] { bar->Position(5); }), 1004);
  EXPECT_EQ(failureNumber([&] { bar->Width(-3); }), 1004);
}

TEST_F(CommandBarsTest, AnUnsizedBarTakesTheSizeOfItsControls) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  auto combo = bar->Controls()->Add(MsoControlType::ComboBox);
  combo->Width(150);
  bar->Controls()->Add(MsoControlType::Button);
  EXPECT_EQ(bar->Width(), 8 + 150 + 23);
  EXPECT_EQ(bar->Height(), 26);
}

TEST_F(CommandBarsTest, OneReceiverServesEveryButtonWithTheBoundTag) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  auto quick = addButton(bar, "pxlTavrello", "Quick Login");
  auto support = addButton(bar, "pxlTavrello", "Formatting");
  auto about = addButton(bar, "pxlTavrello", "Comments");
  auto stranger = addButton(bar, "", "Stranger");
  Receiver receiver;
  auto binding = quick->BindClick(receiver);
  support->Execute();
  about->Execute();
  quick->Execute();
  stranger->Execute();
  EXPECT_EQ(receiver.clicks, (std::vector<std::string>{"Formatting", "Comments", "Quick Login"}));
  // A button tagged later joins in; a disabled one does nothing.
  auto late = addButton(bar, "pxlTavrello", "Late");
  late->Execute();
  support->Enabled(false);
  support->Execute();
  EXPECT_EQ(receiver.clicks.back(), "Late");
  EXPECT_EQ(receiver.clicks.size(), 4u);
  // Released, the receiver hears nothing more.
  binding.reset();
  about->Execute();
  EXPECT_EQ(receiver.clicks.size(), 4u);
}

TEST_F(CommandBarsTest, ABuiltInButtonRunsItsCommandUnlessAReceiverCancelsIt) {
  auto newButton = std::dynamic_pointer_cast<CommandBarButton>(bars->Item("Standard")->Controls()->Item(1));
  ASSERT_EQ(newButton->Id(), 2520);
  newButton->Execute();
  EXPECT_EQ(app->Workbooks()->Count(), 1);

  Receiver receiver;
  receiver.cancel = true;
  auto binding = newButton->BindClick(receiver);
  newButton->Execute();
  EXPECT_EQ(app->Workbooks()->Count(), 1);
  ASSERT_EQ(receiver.seenCancel.size(), 1u);
  EXPECT_FALSE(receiver.seenCancel[0]);

  // A copy of the built-in command elsewhere raises the same event.
  auto bar = bars->Add(std::string("Mine"), MsoBarPosition::Top, false, true);
  auto copy = bar->Controls()->Add(MsoControlType::Button, 2520);
  EXPECT_EQ(copy->Caption(), "&New");
  copy->Execute();
  EXPECT_EQ(receiver.clicks.size(), 2u);
  EXPECT_EQ(app->Workbooks()->Count(), 1);

  receiver.cancel = false;
  newButton->Execute();
  EXPECT_EQ(app->Workbooks()->Count(), 2);
}

TEST_F(CommandBarsTest, TaggedButtonsLeaveUntaggedBuiltInsAlone) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  auto quick = addButton(bar, "pxlTavrello", "Quick Login");
  Receiver receiver;
  receiver.cancel = true;
  auto binding = quick->BindClick(receiver);
  app->Workbooks()->Add();
  app->Range("A1")->Value(1.0);
  auto boldButton = bars->Item("Formatting")->Controls()->Item(1);
  boldButton->Execute();
  EXPECT_TRUE(receiver.clicks.empty());
  auto& styles = app->activeBook()->styles();
  EXPECT_TRUE(styles.font(styles.style(1).font).bold);
}

TEST_F(CommandBarsTest, AReceiverMayDeleteTheBarAndReleaseItsBindingWhileItRuns) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  auto quick = addButton(bar, "pxlTavrello", "Quick Login");
  Receiver first, second;
  std::unique_ptr<EventBinding> secondBinding;
  auto firstBinding = quick->BindClick(first);
  secondBinding = quick->BindClick(second);
  first.onClick = [&] {
    bar->Delete();
    secondBinding.reset();
  };
  quick->Execute();
  EXPECT_EQ(first.clicks.size(), 1u);
  EXPECT_TRUE(second.clicks.empty());
  EXPECT_EQ(failureNumber([&] { quick->Execute(); }), 1004);
}

TEST_F(CommandBarsTest, TemporaryBarsAndControlsAreGoneAfterTheHostsExit) {
  auto temporary = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  auto kept = bars->Add(std::string("Kept"), MsoBarPosition::Top, false, false);
  kept->Controls()->Add(MsoControlType::Button, 0, std::nullopt, std::nullopt, true);
  kept->Controls()->Add(MsoControlType::Button, 0, std::nullopt, std::nullopt, false);
  bars->Item("Standard")->Controls()->Add(MsoControlType::Button, 0, std::nullopt, std::nullopt, true);
  std::dynamic_pointer_cast<HostCommandBars>(bars)->removeTemporary();
  EXPECT_EQ(failureNumber([&] { bars->Item("Tavrello"); }), 5);
  EXPECT_EQ(bars->Item("Kept")->Controls()->Count(), 1);
  EXPECT_EQ(bars->Item("Standard")->Controls()->Count(), 1);
}

TEST_F(CommandBarsTest, ABindingMayOutliveTheHost) {
  auto bar = bars->Add(std::string("Tavrello"), MsoBarPosition::Floating, false, true);
  Receiver receiver;
  auto binding = addButton(bar, "pxlTavrello", "Quick Login")->BindClick(receiver);
  bar.reset();
  bars.reset();
  app.reset();
  binding.reset();
  SUCCEED();
}

}  // namespace
}  // namespace tavrello::host
