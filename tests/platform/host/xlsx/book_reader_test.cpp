#include "platform/host/xlsx/book_reader.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "package_builder.h"
#include "package_checks.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/xlsx/book_writer.h"
#include "platform/system/failure.h"
#include "sample_books.h"
#include "support_lib/test_env.h"

namespace tavrello::host::xlsx {
namespace {

using testing::TempDir;
using testing::writeFile;
using namespace testing::xlsx;

std::string whyUnreadable(const std::filesystem::path& file, const ReadLimits& limits = {}) {
  auto app = WorkbookApplication::create();
  try {
    readBook(*app, file, limits);
  } catch (const Failure& failure) {
    return failure.description();
  }
  ADD_FAILURE() << file << " was read";
  return {};
}

class BookRoundTrip : public ::testing::Test {
 protected:
  TempDir dir;
  SampleBook sample{dir / "orders.db"};
  std::shared_ptr<WorkbookApplication> app = WorkbookApplication::create();

  std::shared_ptr<Book> roundTrip() {
    saveBook(*sample.book, dir / "book.xlsx");
    return readBook(*app, dir / "book.xlsx");
  }
};

TEST_F(BookRoundTrip, TypedCellsComeBackWithTheirTypes) {
  auto book = roundTrip();
  EXPECT_EQ(book->Name(), "book.xlsx");
  auto data = book->findSheet("Data");
  ASSERT_TRUE(data);
  EXPECT_EQ(data->value(2, 1), CellValue(std::string("=SUM(1,2)")));
  EXPECT_EQ(data->value(5, 1), CellValue(std::string("-5 & <b>\"quoted\"</b>")));
  EXPECT_EQ(data->value(2, 2), CellValue(12.5));
  EXPECT_EQ(data->value(4, 2), CellValue(1e300));
  EXPECT_EQ(data->value(5, 2), CellValue(0.1));
  EXPECT_EQ(data->value(2, 3), CellValue(DateTime{dateSerial(2024, 2, 29)}));
  EXPECT_EQ(data->value(3, 3), sample.data->value(3, 3));  // a date-time, to the bit
  EXPECT_EQ(data->value(2, 4), CellValue(true));
  EXPECT_EQ(data->value(4, 4), CellValue(false));
  EXPECT_EQ(data->value(3, 4), CellValue(CellError::NA));
  EXPECT_EQ(data->value(4, 3), CellValue());
}

TEST_F(BookRoundTrip, DesignsWidthsFilterNamesAndTheActiveSheetAreKept) {
  auto book = roundTrip();
  auto data = book->findSheet("Data");
  const StyleTable& styles = book->styles();
  const CellStyle& heading = styles.style(data->cells().find(1, 1)->style());
  const StyleTable& original = sample.book->styles();
  const CellStyle& originalHeading = original.style(sample.data->cells().find(1, 1)->style());
  EXPECT_EQ(styles.font(heading.font), original.font(originalHeading.font));
  EXPECT_EQ(styles.fill(heading.fill), original.fill(originalHeading.fill));
  EXPECT_EQ(styles.border(heading.border), original.border(originalHeading.border));
  EXPECT_EQ(heading.alignment, originalHeading.alignment);
  EXPECT_EQ(styles.numberFormat(styles.style(data->cells().find(3, 3)->style()).numberFormat).code,
            "yyyy-mm-dd hh:mm:ss");
  EXPECT_EQ(data->columnWidths(), sample.data->columnWidths());
  ASSERT_TRUE(data->autoFilter());
  EXPECT_EQ(*data->autoFilter(), (CellRect{1, 1, 5, 4}));
  EXPECT_EQ(book->activeSheet()->name(), "Linked Data");
}

TEST_F(BookRoundTrip, QueryTablesComeBackLinkedWithoutTheirPassword) {
  auto book = roundTrip();
  auto linked = book->findSheet("Linked Data");
  ASSERT_EQ(linked->queryTables().size(), 2u);
  const auto& odbc = linked->queryTables()[0];
  EXPECT_EQ(odbc->Name(), "Sales Query");
  EXPECT_EQ(joinConnection(odbc->Connection()), "ODBC;DSN=Sales;UID=app;");
  EXPECT_EQ(odbc->CommandText(), "SELECT id, name\r\nFROM customers\r\nWHERE code LIKE 'A_x0041_%'");
  EXPECT_EQ(odbc->CommandType(), XlCmdType::Sql);
  EXPECT_TRUE(odbc->FieldNames());
  EXPECT_TRUE(odbc->BackgroundQuery());
  EXPECT_TRUE(odbc->SaveData());
  EXPECT_FALSE(odbc->SavePassword());
  EXPECT_EQ(odbc->result(), (CellRect{2, 2, 3, 3}));
  ASSERT_TRUE(odbc->autoFormat());
  EXPECT_EQ(odbc->autoFormat()->Format, RangeAutoFormat::Color1);
  EXPECT_TRUE(odbc->autoFormat()->Pattern);
  EXPECT_FALSE(odbc->autoFormat()->Width);
  ASSERT_TRUE(linked->findName("Sales_Query"));
  EXPECT_TRUE(linked->findName("Sales_Query")->hidden);

  const auto& sqlite = linked->queryTables()[1];
  EXPECT_EQ(joinConnection(sqlite->Connection()).substr(0, 30), "OLEDB;Provider=SQLite;Data Sou");
  EXPECT_FALSE(sqlite->FieldNames());
  EXPECT_FALSE(sqlite->SaveData());
  EXPECT_FALSE(sqlite->autoFormat());
  // Its data was not saved: the block is empty until it is refreshed.
  EXPECT_EQ(linked->value(2, 6), CellValue());
  sqlite->Refresh(false);
  EXPECT_EQ(linked->value(2, 7), CellValue(std::string("Ann")));
  EXPECT_EQ(linked->value(4, 7), CellValue(std::string("=cmd|' /C calc'!A0")));
}

TEST_F(BookRoundTrip, EveryStoredPropertyOfAQueryTableComesBack) {
  auto& table = *sample.linked->queryTables()[0];
  table.CommandType(XlCmdType::Table);
  table.RowNumbers(true);
  table.FillAdjacentFormulas(true);
  table.PreserveFormatting(false);
  table.RefreshOnFileOpen(true);
  table.BackgroundQuery(false);
  table.RefreshStyle(XlCellInsertionMode::OverwriteCells);
  table.SavePassword(true);
  table.AdjustColumnWidth(false);
  table.RefreshPeriod(15);
  table.PreserveColumnInfo(false);
  sample.linked->queryTables()[1]->RefreshStyle(XlCellInsertionMode::InsertEntireRows);
  auto book = roundTrip();
  const auto& tables = book->findSheet("Linked Data")->queryTables();
  const auto& read = *tables[0];
  EXPECT_EQ(joinConnection(read.Connection()), "ODBC;DSN=Sales;UID=app;PWD=s3cret;");
  EXPECT_EQ(read.CommandType(), XlCmdType::Table);
  EXPECT_TRUE(read.RowNumbers());
  EXPECT_TRUE(read.FillAdjacentFormulas());
  EXPECT_FALSE(read.PreserveFormatting());
  EXPECT_TRUE(read.RefreshOnFileOpen());
  EXPECT_FALSE(read.BackgroundQuery());
  EXPECT_EQ(read.RefreshStyle(), XlCellInsertionMode::OverwriteCells);
  EXPECT_TRUE(read.SavePassword());
  EXPECT_FALSE(read.AdjustColumnWidth());
  EXPECT_EQ(read.RefreshPeriod(), 15);
  EXPECT_FALSE(read.PreserveColumnInfo());
  EXPECT_EQ(tables[1]->RefreshStyle(), XlCellInsertionMode::InsertEntireRows);
}

TEST_F(BookRoundTrip, ABookReadBackSavesAgainToTheSameParts) {
  auto book = roundTrip();
  saveBook(*book, dir / "again.xlsx");
  unpack(dir / "book.xlsx", dir / "first");
  unpack(dir / "again.xlsx", dir / "second");
  for (const char* part : {"xl/workbook.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",
                           "xl/connections.xml", "xl/queryTables/queryTable1.xml", "xl/queryTables/queryTable2.xml",
                           "xl/sharedStrings.xml"}) {
    EXPECT_EQ(testing::readFile(dir / "first" / part), testing::readFile(dir / "second" / part)) << part;
  }
}

TEST(BookReader, ShortCellsWithoutReferencesAndInlineStringsAreRead) {
  TempDir dir;
  writePackage(dir / "t.xlsx",
               minimalParts("<sheetData><row><c t=\"inlineStr\"><is><t>one</t></is></c><c><v> 2 </v></c>"
                            "<c t=\"inlineStr\"><is><r><t>ri</t></r><r><t>ch</t></r><rPh><t>x</t></rPh></is></c>"
                            "</row><row r=\"4\"><c r=\"C4\" t=\"str\"><f>A1</f><v>calc</v></c>"
                            "<c t=\"d\"><v>2024-02-29T12:00:00</v></c><c s=\"0\"><v/></c><c t=\"n\"><v> </v></c>"
                            "</row></sheetData>"));
  auto app = WorkbookApplication::create();
  auto book = readBook(*app, dir / "t.xlsx");
  auto sheet = book->sheets()[0];
  EXPECT_EQ(sheet->value(1, 1), CellValue(std::string("one")));
  EXPECT_EQ(sheet->value(1, 2), CellValue(2.0));
  EXPECT_EQ(sheet->value(1, 3), CellValue(std::string("rich")));
  EXPECT_EQ(sheet->value(4, 3), CellValue(std::string("calc")));
  EXPECT_EQ(sheet->value(4, 4), CellValue(DateTime{dateSerial(2024, 2, 29) + 0.5}));
  EXPECT_EQ(sheet->value(4, 5), CellValue());  // empty values are empty cells
  EXPECT_EQ(sheet->value(4, 6), CellValue());
  ASSERT_EQ(book->unkeptParts().size(), 1u);
  EXPECT_NE(book->unkeptParts()[0].find("1 formula (their last results are kept as values)"), std::string::npos);
}

// Found by the fuzzer: names that fit, or differed, only by bytes that are
// not UTF-8 grew too long, or clashed, once saved, and the saved workbook
// did not open. Such a byte reads as the replacement character it is saved
// as, and a name's length is counted in characters, not bytes.
TEST(BookReader, BytesThatAreNotUtf8ReadAsTheCharacterTheyAreSavedAs) {
  TempDir dir;
  auto parts = minimalParts();
  const std::string tenBad(10, '\x9b');
  parts["xl/workbook.xml"] = std::string("<workbook ") + kMainNs + "><sheets><sheet name=\"Sh" + tenBad +
                             "tMode1\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"A\x80\" sheetId=\"2\" "
                             "r:id=\"rId1\"/><sheet name=\"A\x81\" sheetId=\"3\" r:id=\"rId1\"/></sheets></workbook>";
  writePackage(dir / "t.xlsx", parts);
  auto app = WorkbookApplication::create();
  try {
    readBook(*app, dir / "t.xlsx");
    FAIL() << "two sheets of one name";
  } catch (const Failure& failure) {
    EXPECT_NE(failure.description().find("same name as another sheet"), std::string::npos) << failure.description();
  }

  parts["xl/workbook.xml"] = std::string("<workbook ") + kMainNs + "><sheets><sheet name=\"Sh" + tenBad +
                             "tMode1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
  writePackage(dir / "t.xlsx", parts);
  auto book = readBook(*app, dir / "t.xlsx");
  std::string replaced = "Sh";
  for (int i = 0; i < 10; ++i) replaced += "\xEF\xBF\xBD";
  EXPECT_EQ(book->sheets()[0]->Name(), replaced + "tMode1");
  saveBook(*book, dir / "saved.xlsx");
  EXPECT_EQ(readBook(*app, dir / "saved.xlsx")->sheets()[0]->Name(), replaced + "tMode1");
}

TEST(BookReader, MacrosChartsAndPivotTablesAreNamedAsNotKept) {
  TempDir dir;
  auto parts = minimalParts("<sheetData/><drawing r:id=\"rId1\"/>");
  parts["xl/vbaProject.bin"] = "binary";
  parts["xl/charts/chart1.xml"] = "<c/>";
  parts["xl/charts/chart2.xml"] = "<c/>";
  parts["xl/pivotTables/pivotTable1.xml"] = "<p/>";
  writePackage(dir / "t.xlsm", parts);
  auto app = WorkbookApplication::create();
  auto book = readBook(*app, dir / "t.xlsm");
  const auto& unkept = book->unkeptParts();
  auto has = [&](const std::string& text) {
    return std::any_of(unkept.begin(), unkept.end(), [&](const std::string& u) { return u == text; });
  };
  EXPECT_TRUE(has("macros (xl/vbaProject.bin)"));
  EXPECT_TRUE(has("charts (xl/charts/chart1.xml and 1 more)"));
  EXPECT_TRUE(has("pivot tables (xl/pivotTables/pivotTable1.xml)"));
}

TEST(BookReaderHostile, ReferencesOutsideTheGridAreRefused) {
  TempDir dir;
  struct Case {
    const char* sheet;
    const char* says;
  } cases[] = {
      {"<sheetData><row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row></sheetData>", "XFE1 lies outside"},
      {"<sheetData><row r=\"1048577\"><c><v>1</v></c></row></sheetData>", "row 1048577 lies outside"},
      {"<sheetData><row r=\"1\"><c r=\"A99999999999\"><v>1</v></c></row></sheetData>", "A99999999999 lies outside"},
      {"<sheetData/><autoFilter ref=\"A1:XFZ3\"/>", "A1:XFZ3 lies outside"},
      {"<cols><col min=\"1\" max=\"20000\" width=\"3\"/></cols><sheetData/>", "outside the worksheet's 1 to 16384"},
  };
  for (const Case& c : cases) {
    writePackage(dir / "t.xlsx", minimalParts(c.sheet));
    std::string why = whyUnreadable(dir / "t.xlsx");
    EXPECT_NE(why.find(c.says), std::string::npos) << why;
    EXPECT_NE(why.find("xl/worksheets/sheet1.xml"), std::string::npos) << why;
  }
}

TEST(BookReaderHostile, AHostOfAnOlderVersionRefusesRowsBeyondItsGrid) {
  TempDir dir;
  writePackage(dir / "t.xlsx", minimalParts("<sheetData><row r=\"70000\"><c><v>1</v></c></row></sheetData>"));
  auto app = WorkbookApplication::create("11.0");
  EXPECT_THROW(readBook(*app, dir / "t.xlsx"), Failure);
}

TEST(BookReaderHostile, DocumentTypeDeclarationsAreRefusedInEveryPart) {
  TempDir dir;
  auto parts = minimalParts();
  parts["xl/workbook.xml"] = "<!DOCTYPE w [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" + parts["xl/workbook.xml"];
  writePackage(dir / "w.xlsx", parts);
  EXPECT_NE(whyUnreadable(dir / "w.xlsx").find("document type declaration"), std::string::npos);

  parts = minimalParts("<sheetData><row><c t=\"inlineStr\"><is><t>&x;</t></is></c></row></sheetData>");
  parts["xl/worksheets/sheet1.xml"] = "<!DOCTYPE w [<!ENTITY x \"boom\">]>" + parts["xl/worksheets/sheet1.xml"];
  writePackage(dir / "s.xlsx", parts);
  EXPECT_NE(whyUnreadable(dir / "s.xlsx").find("document type declaration"), std::string::npos);
}

TEST(BookReaderHostile, APartThatExpandsBeyondTheLimitsIsRefused) {
  TempDir dir;
  // 2.6 MB of one repeated row compress to a few kilobytes.
  std::string rows;
  for (int i = 1; i <= 100000; ++i) rows += "<row><c><v>1</v></c></row>";
  writePackage(dir / "bomb.xlsx", minimalParts("<sheetData>" + rows + "</sheetData>"));

  ReadLimits small;
  small.maxPartBytes = 1 << 20;
  EXPECT_NE(whyUnreadable(dir / "bomb.xlsx", small).find("more than the 1 MB allowed"), std::string::npos);

  ReadLimits ratio;
  ratio.ratioFloorBytes = 1 << 20;
  ratio.maxRatio = 100;
  EXPECT_NE(whyUnreadable(dir / "bomb.xlsx", ratio).find("as a zip bomb does"), std::string::npos);

  ReadLimits total;
  total.maxTotalBytes = 2 << 20;
  EXPECT_NE(whyUnreadable(dir / "bomb.xlsx", total).find("allowed for a workbook"), std::string::npos);

  // With the usual limits the same file is an ordinary workbook.
  auto app = WorkbookApplication::create();
  EXPECT_EQ(readBook(*app, dir / "bomb.xlsx")->sheets()[0]->value(100000, 1), CellValue(1.0));
}

TEST(BookReaderHostile, FilesThatAreNoWorkbookSayWhatTheyAre) {
  TempDir dir;
  EXPECT_NE(whyUnreadable(dir / "missing.xlsx").find("No such file"), std::string::npos);
  writeFile(dir / "text.xlsx", "id,name\n1,Ann\n");
  EXPECT_NE(whyUnreadable(dir / "text.xlsx").find("not a zip package"), std::string::npos);

  writePackage(dir / "whole.xlsx", minimalParts());
  std::string bytes = testing::readFile(dir / "whole.xlsx");
  writeFile(dir / "cut.xlsx", bytes.substr(0, bytes.size() / 2));
  EXPECT_FALSE(whyUnreadable(dir / "cut.xlsx").empty());

  auto parts = minimalParts();
  parts.erase("xl/worksheets/sheet1.xml");
  writePackage(dir / "nosheet.xlsx", parts);
  EXPECT_NE(whyUnreadable(dir / "nosheet.xlsx").find("the sheet 'S' has no part"), std::string::npos);

  parts = minimalParts("<sheetData><row><c t=\"s\"><v>7</v></c></row></sheetData>");
  writePackage(dir / "nostring.xlsx", parts);
  EXPECT_NE(whyUnreadable(dir / "nostring.xlsx").find("refers to shared string 7 of 0"), std::string::npos);

  parts = minimalParts("<sheetData><row><c><v>12abc</v></c></row></sheetData>");
  writePackage(dir / "nan.xlsx", parts);
  EXPECT_NE(whyUnreadable(dir / "nan.xlsx").find("A1 holds '12abc', which is not a number"), std::string::npos);
}

// The reader took the workbook part's name from a relationship list that
// was freed at once; a name too long for a short string's inline buffer came
// back garbled.
TEST(BookReaderHostile, AWorkbookPartOfAnyNameIsFoundThroughThePackagesRelationships) {
  auto app = WorkbookApplication::create();
  auto book = readBook(*app, testing::hostileTestData() / "workbooks" / "long_workbook_part_name.xlsx");
  ASSERT_EQ(book->sheets().size(), 1u);
  EXPECT_EQ(book->sheets()[0]->value(2, 1), CellValue(1.0));
  EXPECT_EQ(book->sheets()[0]->queryTables().size(), 1u);
}

// A FIFO in a workbook's place made the open wait for ever for a writer.
TEST(BookReaderHostile, AFifoOrAFolderIsRefusedWithoutWaiting) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.xlsx").c_str(), 0600), 0);
  EXPECT_NE(whyUnreadable(dir / "pipe.xlsx").find("it is a named pipe, not a regular file"), std::string::npos);
  std::filesystem::create_directory(dir / "folder.xlsx");
  EXPECT_NE(whyUnreadable(dir / "folder.xlsx").find("it is a folder, not a regular file"), std::string::npos);
}

TEST(BookReaderHostile, ADamagedEntryFailsItsChecksum) {
  TempDir dir;
  std::string big;
  for (int i = 0; i < 2000; ++i) big += "<row r=\"" + std::to_string(i + 1) + "\"><c><v>" + std::to_string(i * 7919 % 1000) + "</v></c></row>";
  writePackage(dir / "ok.xlsx", minimalParts("<sheetData>" + big + "</sheetData>"));
  std::string bytes = testing::readFile(dir / "ok.xlsx");
  // Flip bits in the middle of the sheet's compressed data.
  std::size_t at = bytes.find("xl/worksheets/sheet1.xml") + 200;
  for (std::size_t i = 0; i < 8; ++i) bytes[at + i] = static_cast<char>(bytes[at + i] ^ 0x5A);
  writeFile(dir / "bad.xlsx", bytes);
  std::string why = whyUnreadable(dir / "bad.xlsx");
  EXPECT_NE(why.find("damaged"), std::string::npos) << why;
}

}  // namespace
}  // namespace tavrello::host::xlsx
