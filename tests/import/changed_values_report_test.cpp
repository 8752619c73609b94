#include "import/changed_values_report.h"

#include <gtest/gtest.h>

#include "support_lib/report_capture.h"

namespace tavrello {
namespace {

using host::CellChange;

TEST(TellChangedValues, OneInformationBoxAndTheSameLinesInTheLog) {
  testing::ReportCapture capture;
  TellChangedValues({{{"picture", CellChange::BinaryLeftBlank, 2}, {"note", CellChange::TextCut, 5}}},
                    "CommandExcel_Click");
  ASSERT_EQ(capture.dialogs().boxes().size(), 1u);
  capture.expectBox(0,
                    "Some values could not be placed in the sheet exactly as the database gave them:\r\n"
                    "Column \"picture\": 2 binary values were left blank: a cell cannot hold binary data.\r\n"
                    "Column \"note\": 5 texts longer than 32,767 characters were cut to that length.",
                    forms::MsgIcon::Information);
  EXPECT_EQ(capture.log(),
            testing::ReportCapture::entry(
                "formSQLNew", "CommandExcel_Click", 0,
                "Column \"picture\": 2 binary values were left blank: a cell cannot hold binary data.") +
                testing::ReportCapture::entry(
                    "formSQLNew", "CommandExcel_Click", 0,
                    "Column \"note\": 5 texts longer than 32,767 characters were cut to that length."));
}

TEST(TellChangedValues, AnImportThatChangedNothingShowsNothing) {
  testing::ReportCapture capture;
  TellChangedValues({}, "CommandEmbed_Click");
  EXPECT_TRUE(capture.dialogs().boxes().empty());
  EXPECT_EQ(capture.log(), "");
}

}  // namespace
}  // namespace tavrello
