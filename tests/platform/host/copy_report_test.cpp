#include "platform/host/copy_report.h"

#include <gtest/gtest.h>

namespace tavrello::host {
namespace {

TEST(ColumnChange, SaysWhatChangedInHowManyCellsOfWhichField) {
  EXPECT_EQ((ColumnChange{"note", CellChange::TextCut, 1}).toString(),
            "Column \"note\": 1 text longer than 32,767 characters was cut to that length.");
  EXPECT_EQ((ColumnChange{"amount", CellChange::NumberAsText, 12}).toString(),
            "Column \"amount\": 12 numbers with more than 15 significant digits, or not finite, were kept as text so "
            "that no digit is lost.");
  EXPECT_EQ((ColumnChange{"picture", CellChange::BinaryLeftBlank, 3}).toString(),
            "Column \"picture\": 3 binary values were left blank: a cell cannot hold binary data.");
  EXPECT_EQ((ColumnChange{"born", CellChange::DateAsText, 1}).toString(),
            "Column \"born\": 1 date before 1 March 1900 was kept as text, as spreadsheets cannot show them as dates.");
}

}  // namespace
}  // namespace tavrello::host
