#include "platform/host/workbook/a1_address.h"

#include <gtest/gtest.h>

#include "platform/system/failure.h"

namespace tavrello::host {
namespace {

const GridSize kGrid12{1048576, 16384};
const GridSize kGrid11{65536, 256};

TEST(A1Address, ColumnLettersCoverOneTwoAndThreeLetterColumns) {
  EXPECT_EQ(columnLetters(1), "A");
  EXPECT_EQ(columnLetters(26), "Z");
  EXPECT_EQ(columnLetters(27), "AA");
  EXPECT_EQ(columnLetters(702), "ZZ");
  EXPECT_EQ(columnLetters(703), "AAA");
  EXPECT_EQ(columnLetters(256), "IV");
  EXPECT_EQ(columnLetters(16384), "XFD");
}

TEST(A1Address, AbsoluteFormOfACellAndOfABlock) {
  EXPECT_EQ(absoluteAddress(CellRect::cell(3, 2)), "$B$3");
  EXPECT_EQ(absoluteAddress({2, 2, 4, 4}), "$B$2:$D$4");
  EXPECT_EQ(absoluteAddress(CellRect::cell(1048576, 16384)), "$XFD$1048576");
}

TEST(A1Address, ReadsCellsWithAndWithoutDollarsInAnyCase) {
  for (const char* text : {"B3", "$B$3", "b3", "$B3", "B$3", "  B3 "}) {
    ParsedAddress parsed = parseAddress(text, kGrid12);
    EXPECT_EQ(parsed.rect, CellRect::cell(3, 2)) << text;
    EXPECT_FALSE(parsed.sheet) << text;
  }
}

TEST(A1Address, ReadsBlocksWithTheCornersInAnyOrder) {
  EXPECT_EQ(parseAddress("B2:D4", kGrid12).rect, (CellRect{2, 2, 4, 4}));
  EXPECT_EQ(parseAddress("D4:B2", kGrid12).rect, (CellRect{2, 2, 4, 4}));
  EXPECT_EQ(parseAddress("$D$2:B4", kGrid12).rect, (CellRect{2, 2, 4, 4}));
}

TEST(A1Address, ReadsWholeColumnsAndRowsToTheGridsEdge) {
  EXPECT_EQ(parseAddress("B:D", kGrid12).rect, (CellRect{1, 2, 1048576, 4}));
  EXPECT_EQ(parseAddress("$3:$5", kGrid12).rect, (CellRect{3, 1, 5, 16384}));
  EXPECT_EQ(parseAddress("3:3", kGrid11).rect, (CellRect{3, 1, 3, 256}));
}

TEST(A1Address, ReadsPlainAndQuotedSheetNames) {
  ParsedAddress plain = parseAddress("Sheet2!B3", kGrid12);
  EXPECT_EQ(plain.sheet, "Sheet2");
  EXPECT_EQ(plain.rect, CellRect::cell(3, 2));
  ParsedAddress quoted = parseAddress("'It''s mine'!$A$1:B2", kGrid12);
  EXPECT_EQ(quoted.sheet, "It's mine");
  EXPECT_EQ(quoted.rect, (CellRect{1, 1, 2, 2}));
}

TEST(A1Address, TheGridsLastCellIsAcceptedAndOneBeyondIsRefused) {
  EXPECT_EQ(parseAddress("XFD1048576", kGrid12).rect, CellRect::cell(1048576, 16384));
  EXPECT_EQ(parseAddress("IV65536", kGrid11).rect, CellRect::cell(65536, 256));
  for (const char* text : {"XFE1", "A1048577", "A0"}) {
    try {
      parseAddress(text, kGrid12);
      ADD_FAILURE() << text << " was accepted";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number(), 1004) << text;
      EXPECT_NE(failure.description().find(text), std::string::npos) << failure.description();
    }
  }
  EXPECT_THROW(parseAddress("IW1", kGrid11), Failure);
  EXPECT_THROW(parseAddress("A65537", kGrid11), Failure);
  EXPECT_THROW(parseAddress("ZZZZZZZZZZZZZZZZZZZZ1", kGrid12), Failure);
  EXPECT_THROW(parseAddress("A99999999999999999999", kGrid12), Failure);
}

TEST(A1Address, TextThatIsNoReferenceIsRefusedWithAReason) {
  for (const char* text : {"", "   ", "hello world", "B", "3", "$$B3", "B$", "B3:", ":B3", "B3:C", "Sheet1!", "!B3",
                           "'Sheet1!B3", "'Sheet1'B3", "B3C4", "1B"}) {
    try {
      parseAddress(text, kGrid12);
      ADD_FAILURE() << "'" << text << "' was accepted";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number(), 1004);
      EXPECT_NE(failure.description().find("not a valid reference"), std::string::npos);
    }
  }
}

TEST(A1Address, SheetNamesAreQuotedWhenAReferenceNeedsIt) {
  EXPECT_EQ(referenceSheetName("Sheet1"), "Sheet1");
  EXPECT_EQ(referenceSheetName("County Ranking"), "'County Ranking'");
  EXPECT_EQ(referenceSheetName("It's"), "'It''s'");
  EXPECT_EQ(referenceSheetName("2024"), "'2024'");
  EXPECT_EQ(referenceSheetName("AB12"), "'AB12'");
  EXPECT_EQ(sheetReference("County Ranking", {8, 2, 46, 3}), "'County Ranking'!$B$8:$C$46");
}

TEST(GridSize, FollowsTheHostsMajorVersion) {
  EXPECT_EQ(gridForVersion("12.0"), kGrid12);
  EXPECT_EQ(gridForVersion("16.0"), kGrid12);
  EXPECT_EQ(gridForVersion("11.0"), kGrid11);
  EXPECT_EQ(gridForVersion("9.0"), kGrid11);
  EXPECT_EQ(gridForVersion("unknown"), kGrid12);
}

}  // namespace
}  // namespace tavrello::host
