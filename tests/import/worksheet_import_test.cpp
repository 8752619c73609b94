// Paste: the statement's rows written as values where the window's boxes
// say, with headings, a table design and an auto filter when asked.

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "import_fixture.h"
#include "platform/db/db_test_support.h"

namespace tavrello {
namespace {

using forms::MsgIcon;

class WorksheetImport : public testing::ImportFixture {};

TEST_F(WorksheetImport, WithHeadingsAtC5TheNamesStandAboveTheDataAndTheBlockIsC5ToE15) {
  formSQLNew& w = windowWith(kPeople);
  pasteAt(w, "C5");
  ASSERT_EQ(w.CheckBoxImportHeadings.Value(), 1) << "the window starts with Headers ticked";
  ASSERT_EQ(w.CheckAutofilter.Value(), 1);
  w.CommandExcel.userClick();
  EXPECT_EQ(boxes(), "");
  EXPECT_EQ(text("C5"), "ID");
  EXPECT_EQ(text("D5"), "NAME");
  EXPECT_EQ(text("E5"), "CITY");
  EXPECT_EQ(std::get<double>(at("C6")), 1);
  EXPECT_EQ(text("D15"), "Name 10");
  EXPECT_EQ(text("E15"), "City 10");
  EXPECT_TRUE(empty("C16"));
  EXPECT_EQ(autoFilter(), "$C$5:$E$15");
  // "Grey and White", the window's first choice: the heading row in grey,
  // every second data row light grey, down to the last.
  EXPECT_EQ(fillAt("C5"), 0x808080u);
  EXPECT_EQ(fillAt("E15"), 0xDDDDDDu);
  EXPECT_FALSE(styled("C16"));
  EXPECT_FALSE(styled("F5"));
  EXPECT_FALSE(windowOpen()) << "a completed import unloads the window";
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr) << "and closes and releases the connection";
  EXPECT_EQ(capture_.log(), "");
}

TEST_F(WorksheetImport, WithoutHeadingsTheDataStandsInC5ToE14AndTheFilterTakesItsFirstRowAsHeading) {
  formSQLNew& w = windowWith(kPeople);
  pasteAt(w, "C5");
  w.CheckBoxImportHeadings.userClick();
  EXPECT_EQ(w.CheckAutofilter.Value(), 0) << "clearing Headers clears Auto Filter";
  EXPECT_FALSE(w.CheckAutofilter.Enabled());
  // Giving the builder the statement again enables the box once more.
  typeStatement(w, w.TextSQL.Text());
  ASSERT_TRUE(w.CheckAutofilter.Enabled());
  w.CheckAutofilter.userClick();
  w.ComboFormats.userSetText("Black and Grey");
  w.CommandExcel.userClick();
  EXPECT_EQ(boxes(), "");
  EXPECT_EQ(std::get<double>(at("C5")), 1);
  EXPECT_EQ(text("E14"), "City 10");
  EXPECT_TRUE(empty("C15"));
  EXPECT_EQ(autoFilter(), "$C$5:$E$14");
  EXPECT_EQ(fillAt("C5"), 0x000000u) << "the design's heading row is the first data row";
  EXPECT_EQ(fillAt("E14"), 0xC0C0C0u);
  EXPECT_FALSE(styled("C15"));
}

TEST_F(WorksheetImport, NoFormattingInAnyLetterCaseAppliesNoDesign) {
  for (const char* none : {"No Formatting", "NO FORMATTING", "no formatting", "Grey & White"}) {
    formSQLNew& w = windowWith(kPeople);
    pasteAt(w, "B2");
    w.ComboFormats.userSetText(none);
    w.CommandExcel.userClick();
    EXPECT_EQ(text("B2"), "ID") << none;
    EXPECT_FALSE(styled("B2")) << none;
    EXPECT_FALSE(styled("D12")) << none;
    activeSheet()->cells().clear({1, 1, 20, 10}, false);
  }
  EXPECT_EQ(boxes(), "");
}

TEST_F(WorksheetImport, EachSchemeGivesItsDesign) {
  struct Look {
    const char* scheme;
    std::uint32_t heading, body;
  };
  const Look looks[] = {{"Grey and White", 0x808080, 0},
                        {"Green and White", 0x008000, 0},
                        {"green and black", 0x000000, 0x000080},
                        {"Black and Grey", 0x000000, 0xC0C0C0}};
  for (const Look& look : looks) {
    formSQLNew& w = windowWith("SELECT ID FROM people WHERE ID = 1");
    pasteAt(w, "A1");
    w.ComboFormats.userSetText(look.scheme);
    w.CommandExcel.userClick();
    EXPECT_EQ(fillAt("A1"), look.heading) << look.scheme;
    EXPECT_EQ(fillAt("A2"), look.body) << "one field and one record make a two-row block: " << look.scheme;
    EXPECT_FALSE(styled("A3")) << look.scheme;
    activeSheet()->cells().clear({1, 1, 5, 5}, false);
  }
}

TEST_F(WorksheetImport, NewWorkbookPutsTheRowsAtA1OfANewBook) {
  formSQLNew& w = windowWith(kPeople);
  ASSERT_EQ(w.CheckNewWorkbook.Value(), 1) << "the window starts with New Workbook ticked";
  app_->Range("D4")->Select();
  w.CommandExcel.userClick();
  EXPECT_EQ(app_->Workbooks()->Count(), 2);
  EXPECT_EQ(app_->ActiveWorkbook()->Name(), "Book2");
  EXPECT_EQ(text("A1"), "ID");
  EXPECT_EQ(text("C11"), "City 10");
  EXPECT_TRUE(app_->Workbooks()->Item(1)->ActiveSheet()->Range("D4")->Value().index() == 0);
}

TEST_F(WorksheetImport, ABlankDestinationChoiceUsesTheActiveCell) {
  formSQLNew& w = windowWith(kPeople);
  w.CheckSelectCell.userClick();
  EXPECT_EQ(w.CheckNewWorkbook.Value(), 0);
  EXPECT_EQ(w.CheckActiveCell.Value(), 0);
  w.CheckSelectCell.userClick();
  EXPECT_EQ(w.CheckNewWorkbook.Value() + w.CheckActiveCell.Value() + w.CheckSelectCell.Value(), 0);
  app_->Range("B7")->Select();
  w.CommandExcel.userClick();
  EXPECT_EQ(text("B7"), "ID");
  EXPECT_EQ(app_->Workbooks()->Count(), 1);
}

TEST_F(WorksheetImport, SelectCellAsksAgainUntilOneCellIsChosen) {
  formSQLNew& w = windowWith(kPeople);
  app_->Range("A3")->Select();
  w.CheckSelectCell.userClick();
  capture_.dialogs().answerRange("B2:D4");
  capture_.dialogs().answerRange("Sheet1!$F$8");
  w.CommandExcel.userClick();
  const auto& prompts = capture_.dialogs().rangePrompts();
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_EQ(prompts[0].prompt,
            "Please select the destination cell - Please only select one cell - top left corner of destination:");
  EXPECT_EQ(prompts[0].title, "Tavrello");
  EXPECT_EQ(prompts[0].defaultText, "$A$3");
  EXPECT_EQ(prompts[1].defaultText, "$B$2") << "the block's top-left cell became the active cell";
  capture_.expectBox(0, "You only need to select one cell - the top left hand corner of the destination range.",
                     MsgIcon::Information);
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_EQ(text("F8"), "ID");
  EXPECT_TRUE(empty("B2")) << "nothing went to the block";
}

TEST_F(WorksheetImport, CancellingThePromptEndsSilentlyWithTheWindowOpenAndTheConnectionClosed) {
  formSQLNew& w = windowWith(kPeople);
  w.CheckSelectCell.userClick();
  capture_.dialogs().answerRange("A1:B2");
  w.CommandExcel.userClick();  // the second prompt is cancelled
  EXPECT_EQ(capture_.dialogs().rangePrompts().size(), 2u);
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u) << "only the one-cell message";
  EXPECT_TRUE(windowOpen());
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);
  EXPECT_TRUE(empty("A1"));
}

TEST_F(WorksheetImport, NoRowsLeavesTheWindowAndTheConnectionOpen) {
  formSQLNew& w = windowWith("SELECT ID FROM people WHERE ID < 0");
  w.CommandExcel.userClick();
  capture_.expectBox(0, "No records were returned (record count = 0),  Please check your SQL statement!",
                     MsgIcon::Information);
  EXPECT_TRUE(windowOpen());
  ASSERT_NE(MGlobals::gcnDatabase, nullptr);
  EXPECT_EQ(MGlobals::gcnDatabase->State(), 1);
  EXPECT_EQ(app_->Workbooks()->Count(), 1) << "the destination is chosen after the test for rows";
}

TEST_F(WorksheetImport, ABlockedStatementClosesTheConnectionOpenedBefore) {
  formSQLNew& w = windowWith(kPeople);
  w.CommandExecute.userClick();
  ASSERT_NE(MGlobals::gcnDatabase, nullptr) << "the preview leaves its connection open";
  w.TextSQL.Text("delete from people");
  w.CommandExcel.userClick();
  capture_.expectBox(0, "Tavrello should not be used to run DELETE statements.\r\nThis DELETE statement has been "
                        "blocked.",
                     MsgIcon::Information);
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);
  EXPECT_TRUE(windowOpen());
}

TEST_F(WorksheetImport, AConnectionThatDoesNotOpenIsRefused) {
  formSQLNew& w = windowWith(kPeople);
  w.ComboConnections.Text("Broken");
  w.CommandExcel.userClick();
  capture_.expectBox(0, "There is no active connection open!", MsgIcon::Exclamation);
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);
  EXPECT_TRUE(windowOpen());
}

TEST_F(WorksheetImport, ADatabaseFailureIsReportedUnderCommandExcelClick) {
  formSQLNew& w = windowWith(kPeople);
  w.TextSQL.Text("SELECT nothing FROM nowhere");
  w.CommandExcel.userClick();
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_EQ(capture_.dialogs().boxes()[0].icon, MsgIcon::Critical);
  EXPECT_NE(capture_.dialogs().boxes()[0].text.find(" (CommandExcel_Click)"), std::string::npos);
  EXPECT_NE(capture_.log().find("[Tavrello]formSQLNew.CommandExcel_Click, Error "), std::string::npos);
  EXPECT_TRUE(windowOpen());
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);
}

TEST_F(WorksheetImport, ChangedValuesAreToldOnceAfterTheImportAndLogged) {
  execute("CREATE TABLE pictures (id INTEGER, picture BLOB, taken DATE);"
          "INSERT INTO pictures VALUES (1, x'89504e47', '1898-05-01'), (2, x'00', '2020-01-01'), (3, NULL, NULL);");
  formSQLNew& w = windowWith("SELECT id, picture, taken FROM pictures ORDER BY id");
  pasteAt(w, "A1");
  w.CommandExcel.userClick();
  EXPECT_FALSE(windowOpen());
  EXPECT_EQ(boxes(),
            "Information: Tavrello: Some values could not be placed in the sheet exactly as the database gave "
            "them: | Column \"picture\": 2 binary values were left blank: a cell cannot hold binary data. | Column "
            "\"taken\": 1 date before 1 March 1900 was kept as text, as spreadsheets cannot show them as dates.\n");
  EXPECT_TRUE(empty("B2"));
  EXPECT_EQ(text("C2"), "1898-05-01");
  EXPECT_EQ(std::get<double>(at("A4")), 3);
  const std::string log = capture_.log();
  EXPECT_NE(log.find("[Tavrello]formSQLNew.CommandExcel_Click, Error 0: Column \"picture\": 2 binary values"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("[Tavrello]formSQLNew.CommandExcel_Click, Error 0: Column \"taken\": 1 date"), std::string::npos);
}

TEST_F(WorksheetImport, ImportsFromPostgresOverOdbc) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  saveConnections({{"Warehouse", cs}});
  formSQLNew& w = openWindow();
  w.CommandConnect.userClick();
  typeStatement(w,
                "SELECT g AS id, 'item ' || g AS name, (g * 1.25)::numeric(10,2) AS price FROM generate_series(1, 10) "
                "AS g ORDER BY g");
  pasteAt(w, "C5");
  w.CommandExcel.userClick();
  EXPECT_EQ(boxes(), "");
  EXPECT_EQ(text("C5"), "id");
  EXPECT_EQ(text("D15"), "item 10");
  EXPECT_EQ(std::get<double>(at("E15")), 12.5);
  EXPECT_EQ(autoFilter(), "$C$5:$E$15");
  EXPECT_FALSE(windowOpen());
}

}  // namespace
}  // namespace tavrello
