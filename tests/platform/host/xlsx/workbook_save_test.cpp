// Workbook.SaveAs and Save, and Workbooks.Open: the object model's way into
// the .xlsx writer and reader.

#include <gtest/gtest.h>

#include "platform/forms/scripted_dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/host/xlsx/save_watcher.h"
#include "platform/system/failure.h"
#include "package_checks.h"
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

// Asks a save to stop once it has written `stopAfter` bytes.
class StoppingSaveWatcher final : public xlsx::SaveWatcher {
 public:
  explicit StoppingSaveWatcher(std::uint64_t stopAfter) : stopAfter_(stopAfter), previous_(xlsx::setSaveWatcher(this)) {}
  ~StoppingSaveWatcher() override { xlsx::setSaveWatcher(previous_); }
  void saveProgress(std::uint64_t bytes) override {
    EXPECT_GT(bytes, 0u);
    written += bytes;
  }
  bool cancelRequested() override { return written >= stopAfter_; }

  std::uint64_t written = 0;

 private:
  std::uint64_t stopAfter_;
  xlsx::SaveWatcher* previous_;
};

TEST_F(WorkbookSaveTest, ASaveAskedToStopFailsWith18AndLeavesTheEarlierFileAsItWas) {
  const auto file = dir / "kept.xlsx";
  book->sheets()[0]->Range("A1")->Value(std::string("first version"));
  book->SaveAs(file.string());
  const std::string before = testing::readFile(file);
  for (int row = 1; row <= 40000; ++row)
    book->sheets()[0]->Range("B" + std::to_string(row))->Value(std::string("row ") + std::to_string(row));
  {
    StoppingSaveWatcher watcher(1000000);
    try {
      book->SaveAs(file.string());
      FAIL() << "the save was not stopped";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number(), 18);
    }
    EXPECT_GE(watcher.written, 1000000u);
  }
  EXPECT_EQ(testing::readFile(file), before);
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().filename(), "kept.xlsx") << "no temporary file stays";
  book->SaveAs(file.string());
  EXPECT_NE(testing::readFile(file), before) << "without the watcher the save goes through";
}

TEST_F(WorkbookSaveTest, TextsCutToTheCellLimitAreToldInAMessageBox) {
  book->sheets()[0]->Range("A1")->Value(std::string(33000, 'y'));
  book->SaveAs((dir / "long.xlsx").string());
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_EQ(dialogs->boxes()[0].icon, forms::MsgIcon::Information);
  EXPECT_NE(dialogs->boxes()[0].text.find("cut to that length"), std::string::npos);
}

TEST_F(WorkbookSaveTest, OpenReadsTheFileIntoTheActiveWorkbook) {
  book->sheets()[0]->Range("B2")->Value(42.0);
  book->SaveAs((dir / "answer.xlsx").string());
  auto other = WorkbookApplication::create();
  auto opened = other->Workbooks()->Open((dir / "answer.xlsx").string());
  EXPECT_EQ(opened->Name(), "answer.xlsx");
  EXPECT_EQ(opened->FullName(), (dir / "answer.xlsx").string());
  EXPECT_EQ(other->ActiveWorkbook(), opened);
  EXPECT_EQ(other->Range("B2")->Value(), CellValue(42.0));
  EXPECT_TRUE(dialogs->boxes().empty());
  // Opening it again activates the open one.
  other->Workbooks()->Add();
  EXPECT_EQ(other->Workbooks()->Open((dir / "answer.xlsx").string()), opened);
  EXPECT_EQ(other->Workbooks()->Count(), 2);
  EXPECT_EQ(other->ActiveWorkbook(), opened);
}

TEST_F(WorkbookSaveTest, OpenRefusesASecondWorkbookOfTheSameName) {
  book->SaveAs((dir / "same.xlsx").string());
  std::filesystem::create_directory(dir / "other");
  std::filesystem::copy_file(dir / "same.xlsx", dir / "other" / "same.xlsx");
  try {
    app->Workbooks()->Open((dir / "other" / "same.xlsx").string());
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_NE(failure.description().find("A workbook named same.xlsx is open already"), std::string::npos);
  }
  EXPECT_EQ(app->Workbooks()->Count(), 1);
}

TEST_F(WorkbookSaveTest, AFileThatCannotBeReadOpensNoWorkbook) {
  testing::writeFile(dir / "broken.xlsx", "not a workbook");
  EXPECT_THROW(app->Workbooks()->Open((dir / "broken.xlsx").string()), Failure);
  try {
    app->Workbooks()->Open((dir / "absent.xlsx").string());
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 53);
  }
  EXPECT_EQ(app->Workbooks()->Count(), 1);
  EXPECT_EQ(app->ActiveWorkbook(), book);
}

TEST_F(WorkbookSaveTest, PartsTheHostDoesNotKeepAreToldOnOpenAndOnSave) {
  // A package with a chart part the host does not read.
  book->SaveAs((dir / "plain.xlsx").string());
  auto check = testing::xlsx::runCommand(
      "python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1], \"a\"); "
      "z.writestr(\"xl/charts/chart1.xml\", \"<c/>\")' " + testing::xlsx::shellQuote((dir / "plain.xlsx").string()));
  ASSERT_EQ(check.exitCode, 0) << check.output;
  auto other = WorkbookApplication::create();
  auto opened = other->Workbooks()->Open((dir / "plain.xlsx").string());
  ASSERT_EQ(dialogs->boxes().size(), 1u);
  EXPECT_NE(dialogs->boxes()[0].text.find("charts (xl/charts/chart1.xml)"), std::string::npos);
  opened->Save();
  ASSERT_EQ(dialogs->boxes().size(), 2u);
  EXPECT_NE(dialogs->boxes()[1].text.find("not in the saved file: charts (xl/charts/chart1.xml)"), std::string::npos);
}

}  // namespace
}  // namespace tavrello::host
