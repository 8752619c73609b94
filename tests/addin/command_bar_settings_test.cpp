#include "addin/command_bar_settings.h"

#include <gtest/gtest.h>

#include "addin_fixture.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "platform/system/program_settings.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

using host::MsoBarPosition::Bottom;
using host::MsoBarPosition::Floating;
using host::MsoBarPosition::Left;
using host::MsoBarPosition::Right;
using host::MsoBarPosition::Top;

using testing::store;
using testing::stored;

void storeAll(const std::string& visible, int position, int left, int top, int width, int height, int row) {
  store("Visible", visible);
  store("Position", std::to_string(position));
  store("Left", std::to_string(left));
  store("Top", std::to_string(top));
  store("Width", std::to_string(width));
  store("Height", std::to_string(height));
  store("RowIndex", std::to_string(row));
}

class PositionMemory : public ::testing::Test {
 protected:
  // A fresh toolbar as the add-in builds it: floating, hidden, in the host's
  // default place.
  std::shared_ptr<host::CommandBar> freshBar() {
    return app_->CommandBars()->Add(std::string("Tavrello"), Floating, false, true);
  }
  int failureNumberOfLoad(const std::shared_ptr<host::CommandBar>& bar) {
    try {
      LoadCommandBarSettings(bar);
    } catch (const Failure& f) {
      return f.number();
    }
    return 0;
  }

  testing::FakeHome home_;
  std::shared_ptr<host::WorkbookApplication> app_ = host::WorkbookApplication::create();
};

TEST_F(PositionMemory, FirstStartOnlyShowsTheToolbarWhereTheHostPutsIt) {
  auto bar = freshBar();
  const auto left = bar->Left(), top = bar->Top();
  LoadCommandBarSettings(bar);
  EXPECT_TRUE(bar->Visible());
  EXPECT_EQ(bar->Position(), Floating);
  EXPECT_EQ(bar->Left(), left);
  EXPECT_EQ(bar->Top(), top);
  EXPECT_EQ(stored("Visible"), "<missing>") << "loading stores nothing";
}

TEST_F(PositionMemory, SaveWritesAllSevenValuesWhateverThePosition) {
  auto bar = freshBar();
  bar->Visible(true);
  bar->Position(Top);
  bar->RowIndex(4);
  bar->Left(120);
  SaveCommandBarSettings(bar);
  EXPECT_EQ(stored("Visible"), "Y");
  EXPECT_EQ(stored("Position"), "1");
  EXPECT_EQ(stored("Left"), "120");
  EXPECT_EQ(stored("Top"), std::to_string(bar->Top()));
  EXPECT_EQ(stored("Width"), std::to_string(bar->Width()));
  EXPECT_EQ(stored("Height"), std::to_string(bar->Height()));
  EXPECT_EQ(stored("RowIndex"), "4");

  bar->Visible(false);
  bar->Position(Floating);
  bar->Left(-30);
  bar->Top(45);
  bar->Width(210);
  bar->Height(60);
  SaveCommandBarSettings(bar);
  EXPECT_EQ(stored("Visible"), "N");
  EXPECT_EQ(stored("Position"), "4");
  EXPECT_EQ(stored("Left"), "-30");
  EXPECT_EQ(stored("Top"), "45");
  EXPECT_EQ(stored("Width"), "210");
  EXPECT_EQ(stored("Height"), "60");
  EXPECT_EQ(stored("RowIndex"), "4");
}

TEST_F(PositionMemory, FloatingRestoresLeftTopWidthAndHeightButNotTheRow) {
  storeAll("Y", Floating, 300, 200, 180, 52, 7);
  auto bar = freshBar();
  const auto row = bar->RowIndex();
  LoadCommandBarSettings(bar);
  EXPECT_TRUE(bar->Visible());
  EXPECT_EQ(bar->Position(), Floating);
  EXPECT_EQ(bar->Left(), 300);
  EXPECT_EQ(bar->Top(), 200);
  EXPECT_EQ(bar->Width(), 180);
  EXPECT_EQ(bar->Height(), 52);
  EXPECT_EQ(bar->RowIndex(), row);
}

TEST_F(PositionMemory, DockedAtTopOrBottomRestoresRowAndLeftButNotTop) {
  for (int position : {Top, Bottom}) {
    storeAll("Y", position, 333, 444, 999, 888, 5);
    auto bar = freshBar();
    const auto top = bar->Top(), width = bar->Width(), height = bar->Height();
    LoadCommandBarSettings(bar);
    EXPECT_EQ(bar->Position(), position);
    EXPECT_EQ(bar->RowIndex(), 5);
    EXPECT_EQ(bar->Left(), 333);
    EXPECT_EQ(bar->Top(), top);
    EXPECT_EQ(bar->Width(), width) << "a docked bar keeps the width its controls give it";
    EXPECT_EQ(bar->Height(), height);
    bar->Delete();
  }
}

TEST_F(PositionMemory, DockedAtASideRestoresRowAndTopButNotLeft) {
  for (int position : {Left, Right}) {
    storeAll("Y", position, 333, 444, 999, 888, 2);
    auto bar = freshBar();
    const auto left = bar->Left();
    LoadCommandBarSettings(bar);
    EXPECT_EQ(bar->Position(), position);
    EXPECT_EQ(bar->RowIndex(), 2);
    EXPECT_EQ(bar->Top(), 444);
    EXPECT_EQ(bar->Left(), left);
    bar->Delete();
  }
}

TEST_F(PositionMemory, OnlyAnUpperCaseYShowsTheToolbar) {
  for (const char* visible : {"N", "y", "Yes", ""}) {
    storeAll(visible, Floating, 1, 2, 3, 4, 0);
    auto bar = freshBar();
    LoadCommandBarSettings(bar);
    EXPECT_FALSE(bar->Visible()) << '"' << visible << '"';
    EXPECT_EQ(bar->Left(), 1) << "a hidden bar is still placed";
    bar->Delete();
  }
}

TEST_F(PositionMemory, ValuesThatAreNotWholeNumbersFailTheLoad) {
  storeAll("Y", Floating, 1, 2, 3, 4, 0);
  store("Position", "floating");
  EXPECT_EQ(failureNumberOfLoad(freshBar()), 13);
  app_->CommandBars()->Item("Tavrello")->Delete();

  storeAll("Y", Floating, 1, 2, 3, 4, 0);
  store("Width", "3.5");
  EXPECT_EQ(failureNumberOfLoad(freshBar()), 13);
  app_->CommandBars()->Item("Tavrello")->Delete();

  storeAll("Y", Top, 1, 2, 3, 4, 0);
  store("RowIndex", "99999999999");
  EXPECT_EQ(failureNumberOfLoad(freshBar()), 6);
}

TEST_F(PositionMemory, MissingNumbersFailTheLoad) {
  store("Visible", "N");
  auto bar = freshBar();
  EXPECT_EQ(failureNumberOfLoad(bar), 13);
  EXPECT_FALSE(bar->Visible()) << "the steps before the failure have run";
}

TEST_F(PositionMemory, APlacementTheHostRefusesFailsTheLoad) {
  storeAll("Y", 7, 1, 2, 3, 4, 0);
  EXPECT_EQ(failureNumberOfLoad(freshBar()), 1004);
  app_->CommandBars()->Item("Tavrello")->Delete();
  storeAll("Y", Floating, 1, 2, -5, 4, 0);
  EXPECT_EQ(failureNumberOfLoad(freshBar()), 1004);
}

TEST_F(PositionMemory, WithoutAToolbarNothingHappens) {
  storeAll("Y", 1, 1, 1, 1, 1, 1);
  LoadCommandBarSettings(nullptr);
  SaveCommandBarSettings(nullptr);
  EXPECT_EQ(stored("Position"), "1");
}

}  // namespace
}  // namespace tavrello
