#include "platform/host/workbook/workbook_application.h"

#include <gtest/gtest.h>

#include "platform/forms/scripted_dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/system/failure.h"

namespace tavrello::host {
namespace {

class WorkbookApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialogs = std::make_shared<forms::ScriptedDialogService>();
    previous = forms::setDialogService(dialogs);
    app = WorkbookApplication::create();
  }
  void TearDown() override { forms::setDialogService(previous); }

  std::shared_ptr<forms::ScriptedDialogService> dialogs;
  std::shared_ptr<forms::DialogService> previous;
  std::shared_ptr<WorkbookApplication> app;
};

TEST_F(WorkbookApplicationTest, ReportsVersionTwelveUnlessToldOtherwise) {
  EXPECT_EQ(app->Version(), "12.0");
  EXPECT_EQ(WorkbookApplication::create("11.0")->Version(), "11.0");
  EXPECT_TRUE(app->ScreenUpdating());
  app->ScreenUpdating(false);
  EXPECT_FALSE(app->ScreenUpdating());
}

TEST_F(WorkbookApplicationTest, StartsWithoutWorkbookAndRefusesRangesUntilOneIsOpen) {
  EXPECT_EQ(app->ActiveWorkbook(), nullptr);
  EXPECT_EQ(app->ActiveSheet(), nullptr);
  EXPECT_EQ(app->ActiveCell(), nullptr);
  EXPECT_THROW(app->Range("A1"), Failure);
}

TEST_F(WorkbookApplicationTest, EachNewWorkbookIsNumberedHasSheet1AndBecomesActive) {
  auto first = app->Workbooks()->Add();
  EXPECT_EQ(first->Name(), "Book1");
  EXPECT_EQ(first->Worksheets()->Count(), 1);
  EXPECT_EQ(first->Worksheets()->Item(1)->Name(), "Sheet1");
  app->Range("D7")->Select();
  auto second = app->Workbooks()->Add();
  EXPECT_EQ(second->Name(), "Book2");
  EXPECT_EQ(app->ActiveWorkbook(), second);
  EXPECT_EQ(app->ActiveCell()->Address(), "$A$1");
  EXPECT_EQ(app->Workbooks()->Count(), 2);
  EXPECT_EQ(app->Workbooks()->Item("book1"), first);
  first->Activate();
  EXPECT_EQ(app->ActiveCell()->Address(), "$D$7");
}

TEST_F(WorkbookApplicationTest, InputBoxReturnsTheRangeTheUserNames) {
  auto book = app->Workbooks()->Add();
  book->Worksheets()->Add();
  book->Worksheets()->Item(1)->Activate();
  for (const char* typed : {"B3", "$B$3", "=$B$3", "Sheet2!B3", "B2:D4"}) dialogs->answerRange(std::string(typed));
  EXPECT_EQ(app->InputBox("Pick", "Tavrello", "$A$1", 8)->Address(), "$B$3");
  EXPECT_EQ(app->InputBox("Pick", "Tavrello", "$A$1", 8)->Address(), "$B$3");
  EXPECT_EQ(app->InputBox("Pick", "Tavrello", "$A$1", 8)->Address(), "$B$3");
  auto onSecond = app->InputBox("Pick", "Tavrello", "$A$1", 8);
  EXPECT_EQ(onSecond->Parent()->Name(), "Sheet2");
  auto block = app->InputBox("Pick", "Tavrello", "$A$1", 8);
  EXPECT_EQ(block->Address(), "$B$2:$D$4");
  EXPECT_EQ(block->Cells()->Count(), 9);
  ASSERT_EQ(dialogs->rangePrompts().size(), 5u);
  EXPECT_EQ(dialogs->rangePrompts()[0].prompt, "Pick");
  EXPECT_EQ(dialogs->rangePrompts()[0].title, "Tavrello");
  EXPECT_EQ(dialogs->rangePrompts()[0].defaultText, "$A$1");
  EXPECT_TRUE(dialogs->boxes().empty());
}

TEST_F(WorkbookApplicationTest, InputBoxAsksAgainWithAClearMessageWhenItCannotReadTheAddress) {
  app->Workbooks()->Add();
  dialogs->answerRange(std::string("B3:"));
  dialogs->answerRange(std::string("Nowhere!A1"));
  dialogs->answerRange(std::string("C4"));
  EXPECT_EQ(app->InputBox("Pick", "Tavrello", "$A$1", 8)->Address(), "$C$4");
  ASSERT_EQ(dialogs->boxes().size(), 2u);
  EXPECT_NE(dialogs->boxes()[0].text.find("'B3:' is not a valid reference"), std::string::npos);
  EXPECT_NE(dialogs->boxes()[1].text.find("sheet"), std::string::npos);
  EXPECT_EQ(dialogs->boxes()[0].title, kHostTitle);
  ASSERT_EQ(dialogs->rangePrompts().size(), 3u);
  EXPECT_EQ(dialogs->rangePrompts()[1].defaultText, "B3:");  // what the user typed stays in the box
}

TEST_F(WorkbookApplicationTest, InputBoxGivesNothingWhenTheUserCancels) {
  app->Workbooks()->Add();
  dialogs->answerRange(std::nullopt);
  EXPECT_EQ(app->InputBox("Pick", "Tavrello", "$A$1", 8), nullptr);
  try {
    app->InputBox("Number", "Tavrello", "", 1);
    ADD_FAILURE() << "type 1 was accepted";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 5);
  }
}

}  // namespace
}  // namespace tavrello::host
