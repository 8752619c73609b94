// The host's command bars as tool bars of the host window: what they show,
// where they sit, clicks through the host's dispatch, and the user's moves
// written back to the bars.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QMainWindow>
#include <QTest>
#include <QToolButton>

#include "gui/command_bar_toolbar.h"
#include "gui/command_bar_toolbars.h"
#include "gui/host_window.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/host_command_bar.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "qt_app.h"

namespace tavrello::gui {
namespace {

using host::MsoBarPosition::Bottom;
using host::MsoBarPosition::Floating;
using host::MsoBarPosition::Left;
using host::MsoBarPosition::Top;

// Remembers the buttons it was clicked for, and cancels their command when
// told to.
class Receiver : public host::CommandBarButtonEvents {
 public:
  void Click(const std::shared_ptr<host::CommandBarButton>& Ctrl, bool& CancelDefault) override {
    clicked.push_back(Ctrl->Parameter());
    cancelledBefore.push_back(CancelDefault);
    if (cancel) CancelDefault = true;
  }
  std::vector<std::string> clicked;
  std::vector<bool> cancelledBefore;
  bool cancel = false;
};

class CommandBarToolbarsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  void SetUp() override {
    app = host::WorkbookApplication::create();
    app->addBook();
    window = std::make_unique<HostWindow>(app, nullptr);
    window->show();
    testing::settle();
  }
  void TearDown() override {
    window.reset();
    testing::settle();
  }

  // A floating bar like the add-in's: a combo box and tagged buttons.
  std::shared_ptr<host::CommandBar> addinLikeBar() {
    auto bar = app->CommandBars()->Add(std::string("Tools Bar"), Floating, false, true);
    auto combo = std::dynamic_pointer_cast<host::CommandBarComboBox>(
        bar->Controls()->Add(host::MsoControlType::ComboBox, 0, std::string("Comments"), std::nullopt, true));
    combo->AddItem("Pick one");
    combo->AddItem("First");
    combo->AddItem("Second");
    combo->ListIndex(1);
    combo->Width(150);
    for (auto [tip, parameter, face] : {std::tuple{"Load", "Quick Login", 528}, std::tuple{"About", "Comments", 480}}) {
      auto button = std::dynamic_pointer_cast<host::CommandBarButton>(
          bar->Controls()->Add(host::MsoControlType::Button, 0, std::string(parameter), std::nullopt, true));
      button->TooltipText(tip);
      button->Tag("myTag");
      button->FaceId(face);
    }
    bar->Visible(true);
    return bar;
  }

  CommandBarToolbar* toolbar(const std::string& name) { return window->toolbars().toolbar(name); }

  std::shared_ptr<host::WorkbookApplication> app;
  std::unique_ptr<HostWindow> window;
  std::shared_ptr<forms::ScriptedDialogService> dialogs = std::make_shared<forms::ScriptedDialogService>();
  forms::ScopedDialogService scoped{dialogs};
};

TEST_F(CommandBarToolbarsTest, TheBuiltInBarsAreDockedAtTheTopInTheirRows) {
  for (const char* name : {"Worksheet Menu Bar", "Standard", "Formatting"}) {
    CommandBarToolbar* bar = toolbar(name);
    ASSERT_NE(bar, nullptr) << name;
    EXPECT_TRUE(bar->isVisible()) << name;
    EXPECT_EQ(window->toolBarArea(bar), Qt::TopToolBarArea) << name;
  }
  EXPECT_LT(toolbar("Worksheet Menu Bar")->y(), toolbar("Standard")->y()) << "row 1 is nearest the edge";
  EXPECT_LT(toolbar("Standard")->y(), toolbar("Formatting")->y());
  auto* bold = qobject_cast<QToolButton*>(toolbar("Formatting")->controlWidget(1));
  ASSERT_NE(bold, nullptr);
  EXPECT_FALSE(bold->icon().isNull());
  EXPECT_EQ(bold->toolTip(), "Bold");
}

TEST_F(CommandBarToolbarsTest, AFloatingBarShowsItsComboAndButtonsAtItsPlace) {
  auto bar = addinLikeBar();
  bar->Left(120);
  bar->Top(90);
  window->refresh();
  testing::settle();
  CommandBarToolbar* shown = toolbar("Tools Bar");
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->isWindow()) << "position 4 floats";
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(shown->pos(), QPoint(120, 90));

  auto* combo = qobject_cast<QComboBox*>(shown->controlWidget(1));
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(0), "Pick one");
  EXPECT_EQ(combo->itemText(2), "Second");
  EXPECT_EQ(combo->currentIndex(), 0);
  EXPECT_EQ(combo->width(), 150);
  for (int index : {2, 3}) {
    auto* button = qobject_cast<QToolButton*>(shown->controlWidget(index));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->icon().isNull());
  }
  EXPECT_EQ(qobject_cast<QToolButton*>(shown->controlWidget(2))->toolTip(), "Load");
  EXPECT_EQ(qobject_cast<QToolButton*>(shown->controlWidget(3))->toolTip(), "About");

  // A width and height set in the host size the floating bar.
  bar->Width(420);
  bar->Height(40);
  window->refresh();
  EXPECT_EQ(shown->size(), QSize(420, 40));

  // The host refills the combo: the tool bar follows at the next refresh.
  auto hostCombo = std::dynamic_pointer_cast<host::CommandBarComboBox>(bar->Controls()->Item(1));
  hostCombo->AddItem("Third");
  hostCombo->ListIndex(4);
  window->refresh();
  EXPECT_EQ(combo->count(), 4);
  EXPECT_EQ(combo->currentText(), "Third");

  bar->Visible(false);
  window->refresh();
  EXPECT_FALSE(shown->isVisible());
  bar->Delete();
  window->refresh();
  EXPECT_EQ(toolbar("Tools Bar"), nullptr);
}

TEST_F(CommandBarToolbarsTest, ChoosingAComboEntrySetsTheHostsListIndex) {
  auto bar = addinLikeBar();
  window->refresh();
  auto* combo = qobject_cast<QComboBox*>(toolbar("Tools Bar")->controlWidget(1));
  ASSERT_NE(combo, nullptr);
  combo->setCurrentIndex(2);
  emit combo->activated(2);
  auto hostCombo = std::dynamic_pointer_cast<host::CommandBarComboBox>(bar->Controls()->Item(1));
  EXPECT_EQ(hostCombo->ListIndex(), 3);
  EXPECT_EQ(hostCombo->Text(), "Second");
}

TEST_F(CommandBarToolbarsTest, ClicksGoThroughTheHostsClickEventsToEveryButtonWithTheTag) {
  auto bar = addinLikeBar();
  window->refresh();
  Receiver receiver;
  // Bound to the first tagged button only, as the add-in binds.
  auto first = std::dynamic_pointer_cast<host::CommandBarButton>(app->CommandBars()->FindControl(std::nullopt, std::nullopt, std::string("myTag"), false));
  ASSERT_NE(first, nullptr);
  auto binding = first->BindClick(receiver);
  qobject_cast<QToolButton*>(toolbar("Tools Bar")->controlWidget(3))->click();
  qobject_cast<QToolButton*>(toolbar("Tools Bar")->controlWidget(2))->click();
  EXPECT_EQ(receiver.clicked, (std::vector<std::string>{"Comments", "Quick Login"}));
  EXPECT_EQ(receiver.cancelledBefore, (std::vector<bool>{false, false}));
}

TEST_F(CommandBarToolbarsTest, CancelDefaultStopsABuiltInButtonsCommand) {
  Receiver receiver;
  auto newButton = std::dynamic_pointer_cast<host::CommandBarButton>(app->CommandBars()->FindControl(std::nullopt, 2520, std::nullopt, false));
  ASSERT_NE(newButton, nullptr);
  auto binding = newButton->BindClick(receiver);
  auto* shown = qobject_cast<QToolButton*>(toolbar("Standard")->controlWidget(1));
  ASSERT_NE(shown, nullptr);

  shown->click();
  EXPECT_EQ(app->books().size(), 2u) << "not cancelled: the new workbook was made";
  EXPECT_EQ(window->windowTitle().toStdString(), std::string("Book2 - ") + host::kHostTitle);
  receiver.cancel = true;
  shown->click();
  EXPECT_EQ(app->books().size(), 2u) << "cancelled";
  EXPECT_EQ(receiver.clicked.size(), 2u);
}

TEST_F(CommandBarToolbarsTest, AFailingReceiverIsReportedAndTheWindowCarriesOn) {
  class Failing : public host::CommandBarButtonEvents {
    void Click(const std::shared_ptr<host::CommandBarButton>&, bool&) override {
      throw tavrello::Failure(91, "Object variable or With block variable not set");
    }
  } failing;
  auto bar = addinLikeBar();
  window->refresh();
  auto button = std::dynamic_pointer_cast<host::CommandBarButton>(bar->Controls()->Item(2));
  auto binding = button->BindClick(failing);
  qobject_cast<QToolButton*>(toolbar("Tools Bar")->controlWidget(2))->click();
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_NE(dialogs->boxes()[0].text.find("Object variable"), std::string::npos);
  EXPECT_EQ(dialogs->boxes()[0].icon, forms::MsgIcon::Critical);
}

TEST_F(CommandBarToolbarsTest, DockedBarsSitAtTheirEdgeInTheirRowOrderedByLeft) {
  auto low = app->CommandBars()->Add(std::string("Low"), Bottom, false, true);
  auto lower = app->CommandBars()->Add(std::string("Lower"), Bottom, false, true);
  auto side = app->CommandBars()->Add(std::string("Side"), Left, false, true);
  for (const auto& bar : {low, lower, side}) {
    bar->Controls()->Add(host::MsoControlType::Button, 899, std::nullopt, std::nullopt, true);
    bar->Visible(true);
  }
  low->RowIndex(1);
  lower->RowIndex(2);
  window->refresh();
  testing::settle();
  EXPECT_EQ(window->toolBarArea(toolbar("Low")), Qt::BottomToolBarArea);
  EXPECT_EQ(window->toolBarArea(toolbar("Lower")), Qt::BottomToolBarArea);
  EXPECT_EQ(window->toolBarArea(toolbar("Side")), Qt::LeftToolBarArea);
  EXPECT_GT(toolbar("Low")->y(), toolbar("Lower")->y()) << "row 1 of the bottom edge is the lowest";

  // Same row: ordered by Left.
  lower->RowIndex(1);
  lower->Left(0);
  low->Left(500);
  window->refresh();
  testing::settle();
  EXPECT_EQ(toolbar("Low")->y(), toolbar("Lower")->y());
  EXPECT_LT(toolbar("Lower")->x(), toolbar("Low")->x());
}

TEST_F(CommandBarToolbarsTest, WhereTheUserPutsABarIsWrittenToTheHostsBar) {
  auto bar = addinLikeBar();
  window->refresh();
  testing::settle();
  CommandBarToolbar* shown = toolbar("Tools Bar");
  auto& placement = std::static_pointer_cast<host::HostCommandBar>(bar)->placement();

  // Docked at the bottom, as a drop there does.
  shown->setWindowFlags(Qt::Widget);
  window->addToolBar(Qt::BottomToolBarArea, shown);
  shown->show();
  testing::settle();
  window->toolbars().readPlacements();
  EXPECT_EQ(bar->Position(), Bottom);
  EXPECT_EQ(bar->RowIndex(), 1);
  EXPECT_TRUE(bar->Visible());

  // Floated again somewhere else.
  shown->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  shown->move(333, 222);
  shown->show();
  testing::settle();
  window->toolbars().readPlacements();
  EXPECT_EQ(bar->Position(), Floating);
  EXPECT_EQ(bar->Left(), 333);
  EXPECT_EQ(bar->Top(), 222);
  EXPECT_EQ(placement.width, shown->width());

  // The built-in bars keep their rows.
  EXPECT_EQ(app->CommandBars()->Item("Worksheet Menu Bar")->RowIndex(), 1);
  EXPECT_EQ(app->CommandBars()->Item("Formatting")->RowIndex(), 3);

  // Hidden from the tool bars' menu.
  shown->toggleViewAction()->trigger();
  testing::settle();
  EXPECT_FALSE(bar->Visible());
}

TEST_F(CommandBarToolbarsTest, PlacementsTheHostSetsAreAppliedOnlyWhenTheyChange) {
  auto bar = addinLikeBar();
  window->refresh();
  CommandBarToolbar* shown = toolbar("Tools Bar");
  shown->move(10, 10);  // as a user's move not yet read back
  window->refresh();
  EXPECT_EQ(shown->pos(), QPoint(10, 10)) << "an unchanged placement is not applied again";
  bar->Position(Top);
  window->refresh();
  testing::settle();
  EXPECT_FALSE(shown->isWindow());
  EXPECT_EQ(window->toolBarArea(shown), Qt::TopToolBarArea);
  EXPECT_EQ(bar->RowIndex(), 4) << "a new row below the built-in bars";
  EXPECT_GT(shown->y(), toolbar("Formatting")->y());
}

}  // namespace
}  // namespace tavrello::gui
