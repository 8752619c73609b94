// The boxes of the Excel frame: the three destinations exclude one another,
// and Auto Filter follows Headers.

#include <gtest/gtest.h>

#include "import_fixture.h"

namespace tavrello {
namespace {

class ImportCheckBoxes : public testing::ImportFixture {
 protected:
  std::string destinations(const formSQLNew& w) const {
    return std::to_string(w.CheckNewWorkbook.Value()) + std::to_string(w.CheckActiveCell.Value()) +
           std::to_string(w.CheckSelectCell.Value());
  }
};

TEST_F(ImportCheckBoxes, TickingOneDestinationClearsTheOtherTwo) {
  formSQLNew& w = windowWith("SELECT ID FROM people");
  EXPECT_EQ(destinations(w), "100") << "the window starts with New Workbook";
  w.CheckSelectCell.userClick();
  EXPECT_EQ(destinations(w), "001");
  w.CheckActiveCell.userClick();
  EXPECT_EQ(destinations(w), "010");
  w.CheckNewWorkbook.userClick();
  EXPECT_EQ(destinations(w), "100");
}

TEST_F(ImportCheckBoxes, ClearingADestinationLeavesAllThreeClear) {
  formSQLNew& w = windowWith("SELECT ID FROM people");
  w.CheckSelectCell.userClick();
  w.CheckSelectCell.userClick();
  EXPECT_EQ(destinations(w), "000");
  w.CheckNewWorkbook.Value(1);
  EXPECT_EQ(destinations(w), "100") << "setting the value by code runs the same handler";
}

TEST_F(ImportCheckBoxes, ClearingHeadersClearsAndDisablesAutoFilterAndTickingItEnablesItClear) {
  formSQLNew& w = windowWith("SELECT ID FROM people");
  ASSERT_EQ(w.CheckAutofilter.Value(), 1);
  ASSERT_TRUE(w.CheckAutofilter.Enabled());
  w.CheckBoxImportHeadings.userClick();
  EXPECT_EQ(w.CheckAutofilter.Value(), 0);
  EXPECT_FALSE(w.CheckAutofilter.Enabled());
  w.CheckBoxImportHeadings.userClick();
  EXPECT_EQ(w.CheckBoxImportHeadings.Value(), 1);
  EXPECT_TRUE(w.CheckAutofilter.Enabled());
  EXPECT_EQ(w.CheckAutofilter.Value(), 0);
}

TEST_F(ImportCheckBoxes, EmbedIsUsableOnlyWhileTheEmbedNameHoldsText) {
  formSQLNew& w = windowWith("SELECT ID FROM people");
  EXPECT_FALSE(w.CommandEmbed.Enabled()) << "a usable statement alone does not enable Embed";
  w.TextEmbed.userSetText("P");
  EXPECT_TRUE(w.CommandEmbed.Enabled());
  w.TextEmbed.userSetText("");
  EXPECT_FALSE(w.CommandEmbed.Enabled());
}

}  // namespace
}  // namespace tavrello
