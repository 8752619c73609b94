// The grid limits as the user meets them: a host of version 11 (65,536 rows
// by 256 columns), 12 (1,048,576 by 16,384) and 14 (no check by the add-in).

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "grid_limit_messages.h"
#include "import_fixture.h"

namespace tavrello {
namespace {

using forms::MsgIcon;

using testing::kNoColumnsLeft;
using testing::kNoRowsLeft;

// SELECT 1 AS c1, 2 AS c2, ... with `count` fields.
std::string fields(int count) {
  std::string statement = "SELECT ";
  for (int i = 1; i <= count; ++i) statement += (i > 1 ? ", " : "") + std::to_string(i) + " AS c" + std::to_string(i);
  return statement;
}

class GridLimitsOfVersion11 : public testing::ImportFixture {
 protected:
  GridLimitsOfVersion11() : ImportFixture("11.0") {}

  // Paste of `statement` at `address`, with or without headings; the window
  // stays as the import left it.
  formSQLNew& paste(const std::string& statement, const std::string& address, bool headings = true) {
    formSQLNew& w = windowWith(statement);
    pasteAt(w, address);
    if (!headings) w.CheckBoxImportHeadings.userClick();
    w.ComboFormats.userSetText("No Formatting");
    w.CommandExcel.userClick();
    return w;
  }
};

TEST_F(GridLimitsOfVersion11, AtA1WithHeadings65535RecordsFitAnd65536AreRefused) {
  makeNumbers(65536);
  paste("SELECT n FROM numbers WHERE n <= 65535 ORDER BY n", "A1");
  EXPECT_EQ(boxes(), "");
  EXPECT_EQ(text("A1"), "n");
  EXPECT_EQ(std::get<double>(at("A65536")), 65535) << "the last row of the grid";
  EXPECT_EQ(autoFilter(), "$A$1:$A$65536");

  paste("SELECT n FROM numbers", "B1");
  capture_.expectBox(0, "Not able to import the data as there are more than 65535 records", MsgIcon::Information);
  EXPECT_TRUE(empty("B1"));
  EXPECT_TRUE(windowOpen());
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);
}

TEST_F(GridLimitsOfVersion11, FromA2With65535RecordsAndHeadingsTheRowsAreShort) {
  makeNumbers(65535);
  paste("SELECT n FROM numbers", "A2");
  capture_.expectBox(0, kNoRowsLeft, MsgIcon::Information);
  EXPECT_TRUE(empty("A2"));
  EXPECT_TRUE(empty("A3"));
}

TEST_F(GridLimitsOfVersion11, AtA1WithoutHeadings65535RecordsFillRows1To65535) {
  makeNumbers(65535);
  paste("SELECT n FROM numbers ORDER BY n", "A1", false);
  EXPECT_EQ(boxes(), "");
  EXPECT_EQ(std::get<double>(at("A1")), 1);
  EXPECT_EQ(std::get<double>(at("A65535")), 65535);
  EXPECT_TRUE(empty("A65536"));
}

TEST_F(GridLimitsOfVersion11, TwoHundredFiftySixFieldsFitFromColumnAOnly) {
  paste(fields(256), "A1");
  EXPECT_EQ(boxes(), "");
  EXPECT_EQ(text("IV1"), "c256");
  EXPECT_EQ(std::get<double>(at("IV2")), 256);

  paste(fields(256), "B4");
  capture_.expectBox(0, kNoColumnsLeft, MsgIcon::Information);
  paste(fields(257), "A4");
  capture_.expectBox(1, "Not able to import the data as there are more than 256 fields", MsgIcon::Information);
  EXPECT_TRUE(empty("A4"));
  EXPECT_TRUE(empty("B4"));
}

TEST_F(GridLimitsOfVersion11, ANewWorkbookStaysEmptyWhenTheImportIsRefused) {
  formSQLNew& w = windowWith(fields(257));
  ASSERT_EQ(w.CheckNewWorkbook.Value(), 1);
  w.CommandExcel.userClick();
  capture_.expectBox(0, "Not able to import the data as there are more than 256 fields", MsgIcon::Information);
  ASSERT_EQ(app_->Workbooks()->Count(), 2);
  EXPECT_EQ(app_->ActiveWorkbook()->Name(), "Book2");
  EXPECT_TRUE(empty("A1"));
  EXPECT_TRUE(windowOpen());
}

class GridLimitsOfVersion12 : public GridLimitsOfVersion11 {
 protected:
  GridLimitsOfVersion12() { hostVersion_ = "12.0"; }
};

// The one test of a million rows: the largest result the grid takes, and
// the same result one row lower.
TEST_F(GridLimitsOfVersion12, AtA1WithHeadings1048575RecordsFitAndFromA2TheRowsAreShort) {
  makeNumbers(1048575);
  paste("SELECT n FROM numbers", "A2");
  capture_.expectBox(0, kNoRowsLeft, MsgIcon::Information);
  EXPECT_TRUE(empty("A2"));

  paste("SELECT n FROM numbers", "A1");
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u) << boxes();
  EXPECT_EQ(text("A1"), "n");
  EXPECT_EQ(std::get<double>(at("A1048576")), 1048575);
}

TEST_F(GridLimitsOfVersion12, TheSmallGridsLimitsDoNotApply) {
  makeNumbers(65536);
  paste("SELECT n FROM numbers", "A1");
  paste(fields(300), "C1");
  EXPECT_EQ(boxes(), "");
  EXPECT_EQ(std::get<double>(at("A65537")), 65536);
  EXPECT_EQ(std::get<double>(at("KP2")), 300);
}

TEST_F(GridLimitsOfVersion12, TheRowsAndColumnsAreCountedFromTheDestination) {
  paste("SELECT ID FROM people", "A1048566");
  EXPECT_EQ(boxes(), "") << "the heading in row 1048566, ten records down to the grid's last row";
  EXPECT_EQ(std::get<double>(at("A1048576")), 10);
  paste("SELECT ID FROM people", "B1048567");
  capture_.expectBox(0, kNoRowsLeft, MsgIcon::Information);
  paste(fields(3), "XFB1");
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u);
  paste(fields(3), "XFC1");
  capture_.expectBox(1, kNoColumnsLeft, MsgIcon::Information);
}

class GridLimitsOfVersion14 : public GridLimitsOfVersion11 {
 protected:
  GridLimitsOfVersion14() { hostVersion_ = "14.0"; }
};

TEST_F(GridLimitsOfVersion14, NoLimitIsCheckedAndTheHostsOwnFailureIsReported) {
  paste("SELECT ID FROM people", "A1048570");
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  const forms::MessageBoxRequest& box = capture_.dialogs().boxes()[0];
  EXPECT_EQ(box.icon, MsgIcon::Critical) << "no grid-limit message; the host refuses the copy";
  EXPECT_NE(box.text.find("(CommandExcel_Click)"), std::string::npos) << box.text;
  EXPECT_NE(capture_.log().find("formSQLNew.CommandExcel_Click, Error 1004: "), std::string::npos) << capture_.log();
  EXPECT_TRUE(windowOpen());
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);

  paste(fields(300), "A1");
  EXPECT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_EQ(std::get<double>(at("KN2")), 300);
}

}  // namespace
}  // namespace tavrello
