// The File menu's work on workbooks, and the question before unsaved
// changes are lost, with a scripted dialog service.
#include <gtest/gtest.h>

#include <filesystem>

#include "gui/host_window.h"
#include "gui/saved_states.h"
#include "gui/workbook_files.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "qt_app.h"
#include "support_lib/test_env.h"

namespace tavrello::gui {
namespace {

using forms::MsgResult;

class WorkbookFilesTest : public ::testing::Test {
 protected:
  std::string saveQuestion() const {
    for (const auto& box : dialogs->boxes()) {
      if (box.buttons == forms::MsgButtons::YesNoCancel) return box.text;
    }
    return {};
  }

  testing::TempDir dir;
  std::shared_ptr<host::WorkbookApplication> app = host::WorkbookApplication::create();
  std::shared_ptr<host::Book> book = app->addBook();
  SavedStates saved;
  WorkbookFiles files{*app, saved};
  std::shared_ptr<forms::ScriptedDialogService> dialogs = std::make_shared<forms::ScriptedDialogService>();
  forms::ScopedDialogService scoped{dialogs};
};

TEST_F(WorkbookFilesTest, SavingANewWorkbookAsksForAFileAndTheWorkbookTakesItsName) {
  app->Range("A1")->Value(std::string("kept"));
  EXPECT_TRUE(saved.hasUnsavedChanges(*book));
  dialogs->answerFile((dir / "Report.xlsx").string());
  ASSERT_TRUE(files.save());
  ASSERT_EQ(dialogs->fileDialogs().size(), 1u);
  EXPECT_TRUE(dialogs->fileDialogs()[0].save);
  EXPECT_EQ(dialogs->fileDialogs()[0].request.fileName, "Book1.xlsx");
  EXPECT_EQ(dialogs->fileDialogs()[0].request.filter, "Excel Workbook (*.xlsx)|*.xlsx");
  EXPECT_TRUE(std::filesystem::exists(dir / "Report.xlsx"));
  EXPECT_EQ(book->Name(), "Report.xlsx");
  EXPECT_FALSE(saved.hasUnsavedChanges(*book));

  // Saved again to the same file, without asking.
  app->Range("A2")->Value(2.0);
  EXPECT_TRUE(saved.hasUnsavedChanges(*book));
  ASSERT_TRUE(files.save());
  EXPECT_EQ(dialogs->fileDialogs().size(), 1u);
  EXPECT_FALSE(saved.hasUnsavedChanges(*book));
}

TEST_F(WorkbookFilesTest, CancellingTheFileDialogSavesNothing) {
  app->Range("A1")->Value(1.0);
  EXPECT_FALSE(files.saveAs());
  EXPECT_TRUE(saved.hasUnsavedChanges(*book));
  EXPECT_TRUE(dialogs->boxes().empty());
}

TEST_F(WorkbookFilesTest, AFailedSaveIsToldAndLeavesTheChangesUnsaved) {
  app->Range("A1")->Value(1.0);
  dialogs->answerFile((dir / "no such folder" / "Report.xlsx").string());
  EXPECT_FALSE(files.save());
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_EQ(dialogs->boxes()[0].icon, forms::MsgIcon::Critical);
  EXPECT_NE(dialogs->boxes()[0].text.find("could not be saved"), std::string::npos);
  EXPECT_TRUE(saved.hasUnsavedChanges(*book));
  EXPECT_EQ(book->Name(), "Book1");
}

TEST_F(WorkbookFilesTest, WhatCountsAsAnUnsavedChange) {
  EXPECT_FALSE(saved.hasUnsavedChanges(*book)) << "a new, untouched workbook";
  app->Range("C3")->Select();
  EXPECT_FALSE(saved.hasUnsavedChanges(*book)) << "moving the selection changes nothing";

  saved.markSaved(*book);
  book->activeSheet()->setColumnWidth(2, 30);
  EXPECT_TRUE(saved.hasUnsavedChanges(*book)) << "a column width";
  saved.markSaved(*book);
  app->Range("A1:B2")->AutoFilter();
  EXPECT_TRUE(saved.hasUnsavedChanges(*book)) << "the auto filter";
  saved.markSaved(*book);
  app->Range("A1:B2")->AutoFormat();
  EXPECT_TRUE(saved.hasUnsavedChanges(*book)) << "formats";
  saved.markSaved(*book);
  book->activeSheet()->Name("Data");
  EXPECT_TRUE(saved.hasUnsavedChanges(*book)) << "a sheet's name";
  saved.markSaved(*book);
  book->addSheet();
  EXPECT_TRUE(saved.hasUnsavedChanges(*book)) << "a new sheet";
}

TEST_F(WorkbookFilesTest, ClosingAnUntouchedWorkbookAsksNothing) {
  ASSERT_TRUE(files.closeActive());
  EXPECT_TRUE(dialogs->boxes().empty());
  EXPECT_TRUE(app->books().empty());
  EXPECT_EQ(app->ActiveWorkbook(), nullptr);
}

TEST_F(WorkbookFilesTest, ClosingAChangedWorkbookAsksAndFollowsTheAnswer) {
  app->Range("A1")->Value(1.0);
  auto kept = app->Range("A1");

  dialogs->answerMessageBox(MsgResult::Cancel);
  EXPECT_FALSE(files.closeActive());
  EXPECT_EQ(saveQuestion(), "Do you want to save the changes you made to 'Book1'?");
  EXPECT_EQ(app->books().size(), 1u) << "Cancel keeps it open";

  dialogs->answerMessageBox(MsgResult::Yes);
  dialogs->answerFile("");  // and then cancels the file dialog
  EXPECT_FALSE(files.closeActive()) << "a save that did not happen keeps it open";
  EXPECT_EQ(app->books().size(), 1u);

  dialogs->answerMessageBox(MsgResult::No);
  EXPECT_TRUE(files.closeActive());
  EXPECT_TRUE(app->books().empty());
  book.reset();
  EXPECT_THROW(kept->Value(), tavrello::Failure) << "ranges of a closed workbook fail";
}

TEST_F(WorkbookFilesTest, ClosingLeavesTheOtherWorkbooksOpenAndOneActive) {
  auto second = app->addBook();
  app->Range("A1")->Value(1.0);
  dialogs->answerMessageBox(MsgResult::Yes);
  dialogs->answerFile((dir / "second.xlsx").string());
  ASSERT_TRUE(files.closeActive());
  EXPECT_TRUE(std::filesystem::exists(dir / "second.xlsx"));
  ASSERT_EQ(app->books().size(), 1u);
  EXPECT_EQ(app->ActiveWorkbook(), book);
}

TEST_F(WorkbookFilesTest, ExitAsksAboutEachChangedWorkbookAndCancelStays) {
  auto second = app->addBook();
  book->activeSheet()->setValue(1, 1, 1.0);
  second->activeSheet()->setValue(1, 1, 2.0);
  dialogs->answerMessageBox(MsgResult::No);
  dialogs->answerMessageBox(MsgResult::Cancel);
  EXPECT_FALSE(files.closeAll());
  ASSERT_EQ(dialogs->boxes().size(), 2u);
  EXPECT_NE(dialogs->boxes()[0].text.find("'Book2'"), std::string::npos) << "newest first";
  EXPECT_NE(dialogs->boxes()[1].text.find("'Book1'"), std::string::npos);

  dialogs->answerMessageBox(MsgResult::No);
  dialogs->answerMessageBox(MsgResult::No);
  EXPECT_TRUE(files.closeAll());
}

TEST_F(WorkbookFilesTest, TheWindowStaysOpenWhenTheUserCancelsExit) {
  testing::qtApp();
  HostWindow window(app, nullptr);
  window.show();
  app->Range("A1")->Value(1.0);
  dialogs->answerMessageBox(MsgResult::Cancel);
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  dialogs->answerMessageBox(MsgResult::No);
  EXPECT_TRUE(window.close());
}

TEST_F(WorkbookFilesTest, OpeningAFileReplacesTheUntouchedNewWorkbook) {
  auto other = app->addBook();
  app->Range("B2")->Value(std::string("saved text"));
  dialogs->answerFile((dir / "kept.xlsx").string());
  ASSERT_TRUE(files.saveAs());
  ASSERT_TRUE(files.closeActive()) << "just saved: closes without a question";
  EXPECT_TRUE(dialogs->boxes().empty());
  other.reset();
  ASSERT_EQ(app->books().size(), 1u);
  ASSERT_FALSE(saved.hasUnsavedChanges(*book));

  dialogs->answerFile((dir / "kept.xlsx").string());
  ASSERT_TRUE(files.open());
  ASSERT_EQ(dialogs->fileDialogs().back().save, false);
  ASSERT_EQ(app->books().size(), 1u) << "Book1 made way";
  EXPECT_EQ(app->ActiveWorkbook()->Name(), "kept.xlsx");
  EXPECT_EQ(app->Range("B2")->Value(), host::CellValue(std::string("saved text")));
  EXPECT_FALSE(saved.hasUnsavedChanges(*app->activeBook())) << "just opened";
}

TEST_F(WorkbookFilesTest, OpeningKeepsAWorkbookWithContentOpen) {
  app->Range("A1")->Value(1.0);
  auto other = host::WorkbookApplication::create();
  other->addBook();
  other->Range("A1")->Value(2.0);
  other->ActiveWorkbook()->SaveAs((dir / "two.xlsx").string());
  dialogs->answerFile((dir / "two.xlsx").string());
  ASSERT_TRUE(files.open());
  EXPECT_EQ(app->books().size(), 2u);
  EXPECT_EQ(app->Range("A1")->Value(), host::CellValue(2.0));
}

TEST_F(WorkbookFilesTest, AFileThatCannotBeReadIsToldAndNothingOpens) {
  testing::writeFile(dir / "broken.xlsx", "this is no zip package");
  dialogs->answerFile((dir / "broken.xlsx").string());
  EXPECT_FALSE(files.open());
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_EQ(dialogs->boxes()[0].icon, forms::MsgIcon::Critical);
  EXPECT_NE(dialogs->boxes()[0].text.find("could not be opened"), std::string::npos);
  EXPECT_EQ(app->books().size(), 1u);
  EXPECT_FALSE(files.open()) << "cancelled file dialog";
}

TEST_F(WorkbookFilesTest, TheWindowOpensTheWorkbooksGivenAndTellsOfOneItCannotRead) {
  // What `tavrello a.xlsx missing.xlsx b.xlsx` (the menu entry's %F) asks of the window.
  for (const char* name : {"a.xlsx", "b.xlsx"}) {
    auto writer = host::WorkbookApplication::create();
    writer->addBook();
    writer->Range("A1")->Value(std::string(name));
    writer->ActiveWorkbook()->SaveAs((dir / name).string());
  }
  testing::qtApp();
  HostWindow window(app, nullptr);
  window.openWorkbookFiles({(dir / "a.xlsx").string(), (dir / "missing.xlsx").string(), (dir / "b.xlsx").string()});
  ASSERT_EQ(app->books().size(), 2u) << "the untouched Book1 made way";
  EXPECT_EQ(app->books()[0]->Name(), "a.xlsx");
  EXPECT_EQ(app->ActiveWorkbook()->Name(), "b.xlsx") << "the last one opened is active";
  EXPECT_EQ(app->Range("A1")->Value(), host::CellValue(std::string("b.xlsx")));
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_EQ(dialogs->boxes()[0].icon, forms::MsgIcon::Critical);
  EXPECT_NE(dialogs->boxes()[0].text.find((dir / "missing.xlsx").string()), std::string::npos)
      << dialogs->boxes()[0].text;
  EXPECT_TRUE(dialogs->fileDialogs().empty()) << "no file dialog for files given";
}

}  // namespace
}  // namespace tavrello::gui
