// Workbook.SaveAs and Save, the object model's way into the .xlsx writer.

#include <gtest/gtest.h>

#include "platform/forms/scripted_dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

using testing::TempDir;

class WorkbookSaveTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::shared_ptr<forms::ScriptedDialogService> dialogs = std::make_shared<forms::ScriptedDialogService>();
  forms::ScopedDialogService scoped{dialogs};
  std::shared_ptr<WorkbookApplication> app = WorkbookApplication::create();
  std::shared_ptr<Book> book = app->addBook();
};

TEST_F(WorkbookSaveTest, SaveAsMakesTheFileTheWorkbooksAndNamesItAfterIt) {
  EXPECT_EQ(book->FullName(), "Book1");
  book->SaveAs((dir / "report").string());
  EXPECT_TRUE(std::filesystem::exists(dir / "report.xlsx"));
  EXPECT_EQ(book->Name(), "report.xlsx");
  EXPECT_EQ(book->FullName(), (dir / "report.xlsx").string());
  EXPECT_TRUE(dialogs->boxes().empty());

  book->sheets()[0]->Range("A1")->Value(std::string("changed"));
  auto before = std::filesystem::file_size(dir / "report.xlsx");
  book->Save();
  EXPECT_GT(std::filesystem::file_size(dir / "report.xlsx"), before);
}

TEST_F(WorkbookSaveTest, SaveWithoutAFileAndOtherFormatsAreRefused) {
  try {
    book->Save();
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 1004);
    EXPECT_NE(failure.description().find("SaveAs"), std::string::npos);
  }
  EXPECT_THROW(book->SaveAs((dir / "old.xls").string()), Failure);
  EXPECT_FALSE(std::filesystem::exists(dir / "old.xls"));
  EXPECT_EQ(book->Name(), "Book1");
}

TEST_F(WorkbookSaveTest, AFailedSaveAsKeepsTheWorkbooksNameAndFile) {
  book->SaveAs((dir / "first.xlsx").string());
  EXPECT_THROW(book->SaveAs((dir / "no such folder" / "second.xlsx").string()), Failure);
  EXPECT_EQ(book->Name(), "first.xlsx");
}

TEST_F(WorkbookSaveTest, TextsCutToTheCellLimitAreToldInAMessageBox) {
  book->sheets()[0]->Range("A1")->Value(std::string(33000, 'y'));
  book->SaveAs((dir / "long.xlsx").string());
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_EQ(dialogs->boxes()[0].icon, forms::MsgIcon::Information);
  EXPECT_NE(dialogs->boxes()[0].text.find("cut to that length"), std::string::npos);
}

}  // namespace
}  // namespace tavrello::host
