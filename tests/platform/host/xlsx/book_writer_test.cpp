#include "platform/host/xlsx/book_writer.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "package_checks.h"
#include "platform/host/xlsx/output_device.h"
#include "platform/system/failure.h"
#include "sample_books.h"
#include "support_lib/test_env.h"

namespace tavrello::host::xlsx {
namespace {

using testing::TempDir;
using testing::readFile;
using namespace testing::xlsx;

// A device that takes `limit` bytes and then fails as a full disk does.
class FullDevice : public MemoryDevice {
 public:
  explicit FullDevice(std::size_t limit) : limit_(limit) {}
  void write(const void* data, std::size_t size) override {
    if (position() + size > limit_) throw Failure::fromErrno(ENOSPC, "write", "the test device");
    MemoryDevice::write(data, size);
  }

 private:
  std::size_t limit_;
};

class BookWriterTest : public ::testing::Test {
 protected:
  TempDir dir;
  SampleBook sample{dir / "orders.db"};

  std::filesystem::path saveAndUnpack(const std::string& name = "book.xlsx") {
    std::filesystem::path file = dir / name;
    saveBook(*sample.book, file);
    unpack(file, dir / (name + ".parts"));
    return dir / (name + ".parts");
  }
};

TEST_F(BookWriterTest, EveryPartValidatesAgainstTheEcmaSchemas) {
  Schemas schemas;
  if (!schemas.missing().empty()) TAVRELLO_SKIP_WITHOUT(schemas.missing());
  schemas.validatePackage(saveAndUnpack());
}

TEST_F(BookWriterTest, OpenpyxlReadsTheValuesTypesFormatsFilterNamesAndWidths) {
  auto python = openpyxlPython();
  if (!python) TAVRELLO_SKIP_WITHOUT("python3 with openpyxl is not installed (package python3-openpyxl)");
  std::filesystem::path file = dir / "book.xlsx";
  saveBook(*sample.book, file);
  auto result = runOpenpyxl(*python, file, R"(
ws = wb['Data']
for row in ws.iter_rows(min_row=1, max_row=5):
    print('|'.join('%s:%s:%r:%s' % (c.coordinate, c.data_type, c.value, c.number_format) for c in row))
print('filter', ws.auto_filter.ref)
print('width', ws.column_dimensions['A'].width)
print('bold', ws['A1'].font.b, ws['A1'].fill.fgColor.rgb)
names = sorted((d.name, d.localSheetId, d.hidden, d.attr_text) for d in wb.defined_names.definedName)
print('names', names)
print('sheets', wb.sheetnames, wb.active.title)
q = wb['Linked Data']
print('linked', q['B2'].value, q['C3'].value, q['F2'].value, q['G2'].value)
)");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const std::string& out = result.output;
  // Texts that look like formulas stay texts.
  EXPECT_NE(out.find("A2:s:'=SUM(1,2)'"), std::string::npos) << out;
  EXPECT_NE(out.find("A3:s:'+44 20 7946 0000'"), std::string::npos) << out;
  EXPECT_NE(out.find("A4:s:'@home'"), std::string::npos) << out;
  EXPECT_NE(out.find("A5:s:'-5 & <b>\"quoted\"</b>'"), std::string::npos) << out;
  EXPECT_NE(out.find("B2:n:12.5:General"), std::string::npos) << out;
  EXPECT_NE(out.find("B3:n:-3:General"), std::string::npos) << out;
  EXPECT_NE(out.find("B4:n:1e+300:General"), std::string::npos) << out;
  EXPECT_NE(out.find("B5:n:0.1:General"), std::string::npos) << out;
  EXPECT_NE(out.find("C2:d:datetime.datetime(2024, 2, 29, 0, 0):yyyy-mm-dd"), std::string::npos) << out;
  EXPECT_NE(out.find("C3:d:datetime.datetime(2023, 12, 31, 23, 59, 58):yyyy-mm-dd hh:mm:ss"), std::string::npos) << out;
  EXPECT_NE(out.find("D2:b:True"), std::string::npos) << out;
  EXPECT_NE(out.find("D4:b:False"), std::string::npos) << out;
  EXPECT_NE(out.find("D3:e:'#N/A'"), std::string::npos) << out;
  EXPECT_NE(out.find("filter A1:D5"), std::string::npos) << out;
  EXPECT_NE(out.find("width 24.5"), std::string::npos) << out;
  EXPECT_NE(out.find("bold True FF808080"), std::string::npos) << out;
  EXPECT_NE(out.find("('Sales_Query', 1, True, \"'Linked Data'!$B$2:$C$3\")"), std::string::npos) << out;
  EXPECT_NE(out.find("sheets ['Data', 'Linked Data'] Linked Data"), std::string::npos) << out;
  // The SQLite table saves no data: its cells are not in the file.
  EXPECT_NE(out.find("linked id Ann None None"), std::string::npos) << out;
}

TEST_F(BookWriterTest, TheAutoFilterCarriesItsHiddenFilterDatabaseName) {
  std::string workbook = readFile(saveAndUnpack() / "xl" / "workbook.xml");
  EXPECT_NE(workbook.find("<definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"0\" hidden=\"1\">"
                          "Data!$A$1:$D$5</definedName>"),
            std::string::npos)
      << workbook;
}

TEST_F(BookWriterTest, ConnectionsStoreTheTypeWithoutPrefixPasswordOrRawLineBreaks) {
  std::string connections = readFile(saveAndUnpack() / "xl" / "connections.xml");
  EXPECT_NE(connections.find("<connection id=\"1\" name=\"Sales Query\" type=\"1\" refreshedVersion=\"3\" "
                             "background=\"1\" saveData=\"1\"><dbPr connection=\"DSN=Sales;UID=app;\" "
                             "command=\"SELECT id, name_x000d__x000a_FROM customers_x000d__x000a_WHERE code LIKE "
                             "'A_x005F_x0041_%'\"/></connection>"),
            std::string::npos)
      << connections;
  EXPECT_NE(connections.find("type=\"5\" refreshedVersion=\"3\" background=\"1\"><dbPr connection=\"Provider=SQLite;Data Source="),
            std::string::npos)
      << connections;
  EXPECT_EQ(connections.find("s3cret"), std::string::npos);
  EXPECT_EQ(connections.find("ODBC;"), std::string::npos);
  EXPECT_EQ(connections.find("OLEDB;"), std::string::npos);
}

TEST_F(BookWriterTest, APasswordTheUserChoseToSaveIsKept) {
  sample.linked->queryTables()[0]->SavePassword(true);
  std::string connections = readFile(saveAndUnpack() / "xl" / "connections.xml");
  EXPECT_NE(connections.find("savePassword=\"1\"><dbPr connection=\"DSN=Sales;UID=app;PWD=s3cret;\""), std::string::npos)
      << connections;
}

TEST_F(BookWriterTest, QueryTablePartsWriteOnlyWhatDiffersFromTheDefaults) {
  auto parts = saveAndUnpack();
  std::string first = readFile(parts / "xl" / "queryTables" / "queryTable1.xml");
  // Colorful 1 is the file's design 8; its width part was not applied.
  EXPECT_NE(first.find("<queryTable xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                       "name=\"Sales Query\" connectionId=\"1\" autoFormatId=\"8\" applyNumberFormats=\"1\" "
                       "applyBorderFormats=\"1\" applyFontFormats=\"1\" applyPatternFormats=\"1\" "
                       "applyAlignmentFormats=\"1\" applyWidthHeightFormats=\"0\"/>"),
            std::string::npos)
      << first;
  std::string second = readFile(parts / "xl" / "queryTables" / "queryTable2.xml");
  EXPECT_NE(second.find("connectionId=\"2\" headers=\"0\" removeDataOnSave=\"1\" autoFormatId=\"16\" "
                        "applyNumberFormats=\"0\" applyBorderFormats=\"0\" applyFontFormats=\"0\" "
                        "applyPatternFormats=\"0\" applyAlignmentFormats=\"0\" applyWidthHeightFormats=\"0\"/>"),
            std::string::npos)
      << second;

  std::string rels = readFile(parts / "xl" / "worksheets" / "_rels" / "sheet2.xml.rels");
  EXPECT_NE(rels.find("Target=\"../queryTables/queryTable1.xml\""), std::string::npos) << rels;
  EXPECT_NE(rels.find("Target=\"../queryTables/queryTable2.xml\""), std::string::npos) << rels;
  EXPECT_FALSE(std::filesystem::exists(parts / "xl" / "worksheets" / "_rels" / "sheet1.xml.rels"));

  std::string types = readFile(parts / "[Content_Types].xml");
  EXPECT_NE(types.find("<Override PartName=\"/xl/connections.xml\" ContentType=\"application/"
                       "vnd.openxmlformats-officedocument.spreadsheetml.connections+xml\"/>"),
            std::string::npos);
  EXPECT_NE(types.find("<Override PartName=\"/xl/queryTables/queryTable2.xml\""), std::string::npos);
  std::string workbookRels = readFile(parts / "xl" / "_rels" / "workbook.xml.rels");
  EXPECT_NE(workbookRels.find("relationships/connections\" Target=\"connections.xml\""), std::string::npos);
}

TEST_F(BookWriterTest, ATableThatKeepsNoColumnLayoutStoresItsFields) {
  sample.linked->queryTables()[0]->PreserveColumnInfo(false);
  std::string part = readFile(saveAndUnpack() / "xl" / "queryTables" / "queryTable1.xml");
  EXPECT_NE(part.find("<queryTableRefresh nextId=\"3\" preserveSortFilterLayout=\"0\"><queryTableFields count=\"2\">"
                      "<queryTableField id=\"1\" name=\"id\"/><queryTableField id=\"2\" name=\"name\"/>"),
            std::string::npos)
      << part;
}

TEST_F(BookWriterTest, TextLongerThanACellHoldsIsCutAndTheSaveSaysSo) {
  sample.data->Range("E1")->Value(std::string(40000, 'x'));
  SaveReport report = saveBook(*sample.book, dir / "long.xlsx");
  ASSERT_EQ(report.warnings.size(), 1u);
  EXPECT_NE(report.warnings[0].find("1 text was longer than the 32,767 characters"), std::string::npos);
  unpack(dir / "long.xlsx", dir / "long");
  std::string strings = readFile(dir / "long" / "xl" / "sharedStrings.xml");
  EXPECT_NE(strings.find(std::string(32767, 'x') + "</t>"), std::string::npos);
  EXPECT_EQ(strings.find(std::string(32768, 'x')), std::string::npos);
}

TEST_F(BookWriterTest, SavingTheSameBookTwiceGivesTheSameBytes) {
  saveBook(*sample.book, dir / "a.xlsx");
  saveBook(*sample.book, dir / "b.xlsx");
  EXPECT_EQ(readFile(dir / "a.xlsx"), readFile(dir / "b.xlsx"));
}

TEST_F(BookWriterTest, TheWriterTakesAnyDeviceAndWritesTheSameBytesToMemoryAsToAFile) {
  MemoryDevice memory;
  writeBook(*sample.book, memory);
  saveBook(*sample.book, dir / "file.xlsx");
  EXPECT_EQ(memory.bytes().substr(0, 2), "PK");
  EXPECT_EQ(memory.bytes(), readFile(dir / "file.xlsx"));
}

TEST_F(BookWriterTest, ADeviceThatFillsUpFailsTheWriteWithItsReason) {
  for (std::size_t limit : {std::size_t{0}, std::size_t{100}, std::size_t{3000}}) {
    FullDevice device(limit);
    try {
      writeBook(*sample.book, device);
      ADD_FAILURE() << "a device full after " << limit << " bytes did not fail the write";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number(), 61) << failure.toString();
      EXPECT_NE(failure.description().find("No space left on device"), std::string::npos) << failure.toString();
    }
  }
}

TEST(BookWriterLarge, ASheetOfManyBlocksIsDeflatedInParallelIntoAValidEntry) {
  TempDir dir;
  auto app = WorkbookApplication::create();
  auto book = app->addBook();
  auto sheet = book->sheets()[0];
  const std::int32_t rows = 60000;
  for (std::int32_t row = 1; row <= rows; ++row) {
    sheet->setValue(row, 1, static_cast<double>(row));
    sheet->setValue(row, 2, "customer " + std::to_string(row % 977));
    sheet->setValue(row, 3, row * 0.25);
  }
  saveBook(*book, dir / "large.xlsx");
  auto check = runCommand("python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); print(z.testzip()); "
                          "print(len(z.read(\"xl/worksheets/sheet1.xml\")))' " +
                          shellQuote((dir / "large.xlsx").string()));
  ASSERT_EQ(check.exitCode, 0) << check.output;
  EXPECT_EQ(check.output.substr(0, 5), "None\n") << check.output;  // every CRC matches
  EXPECT_GT(std::stoul(check.output.substr(5)), 3u * 1024 * 1024);

  auto python = openpyxlPython();
  if (!python) TAVRELLO_SKIP_WITHOUT("python3 with openpyxl is not installed (package python3-openpyxl)");
  auto result = runCommand(*python + " -c 'import sys, openpyxl; ws = openpyxl.load_workbook(sys.argv[1], "
                                     "read_only=True).active; rows = list(ws.iter_rows(values_only=True)); "
                                     "print(len(rows), rows[-1])' " +
                           shellQuote((dir / "large.xlsx").string()));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output, "60000 (60000, 'customer 403', 15000)\n");
}

}  // namespace
}  // namespace tavrello::host::xlsx
