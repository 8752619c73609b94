// Reading what the user types into a cell, and the text the cell's editor
// starts with.
#include <gtest/gtest.h>

#include "day_fraction.h"
#include "gui/cell_entry.h"
#include "platform/host/workbook/date_serial.h"

namespace tavrello::gui {
namespace {

using testing::dayFraction;

using host::CellValue;
using host::DateTime;

TEST(CellEntry, NumbersTruthValuesAndDatesAreReadAsSpreadsheetsReadThem) {
  EXPECT_EQ(readCellEntry("12"), CellValue(12.0));
  EXPECT_EQ(readCellEntry(" -3.5 "), CellValue(-3.5));
  EXPECT_EQ(readCellEntry("+1.2E3"), CellValue(1200.0));
  EXPECT_EQ(readCellEntry("true"), CellValue(true));
  EXPECT_EQ(readCellEntry("FALSE"), CellValue(false));
  EXPECT_EQ(readCellEntry("2024-03-01"), CellValue(DateTime{host::dateSerial(2024, 3, 1)}));
  EXPECT_EQ(readCellEntry("2024-03-01 14:30"),
            CellValue(DateTime{host::dateSerial(2024, 3, 1) + dayFraction(14, 30, 0)}));
  EXPECT_EQ(readCellEntry("2024-03-01 14:30:15"),
            CellValue(DateTime{host::dateSerial(2024, 3, 1) + dayFraction(14, 30, 15)}));
}

TEST(CellEntry, BlankEntryEmptiesTheCell) {
  EXPECT_EQ(readCellEntry(""), CellValue(std::monostate{}));
  EXPECT_EQ(readCellEntry("   "), CellValue(std::monostate{}));
}

TEST(CellEntry, WhatIsNoNumberOrDateStaysTextExactlyAsTyped) {
  EXPECT_EQ(readCellEntry("inf"), CellValue(std::string("inf")));
  EXPECT_EQ(readCellEntry("nan"), CellValue(std::string("nan")));
  EXPECT_EQ(readCellEntry("1.2.3"), CellValue(std::string("1.2.3")));
  EXPECT_EQ(readCellEntry("2024-02-30"), CellValue(std::string("2024-02-30"))) << "no such day";
  EXPECT_EQ(readCellEntry("2024-03-01 25:00"), CellValue(std::string("2024-03-01 25:00")));
  EXPECT_EQ(readCellEntry(" Smith, J. "), CellValue(std::string(" Smith, J. ")));
  EXPECT_EQ(readCellEntry("'0042"), CellValue(std::string("0042"))) << "the apostrophe keeps digits as text";
}

TEST(CellEntry, EditorTextReadsBackToTheSameValue) {
  const std::vector<CellValue> values = {
      12.0, 0.1, -1234567.890123, 1e-300, true, false, std::string("text"), std::string("42"),
      std::string("'quoted"), std::string("TRUE"), DateTime{host::dateSerial(1999, 12, 31)},
      DateTime{host::dateSerial(2024, 3, 1) + dayFraction(8, 5, 9)}};
  for (const CellValue& value : values) {
    const std::string text = cellEntryText(value);
    EXPECT_EQ(readCellEntry(text), value) << "editor text: " << text;
  }
  EXPECT_EQ(cellEntryText(std::monostate{}), "");
  EXPECT_EQ(cellEntryText(std::string("42")), "'42");
}

}  // namespace
}  // namespace tavrello::gui
