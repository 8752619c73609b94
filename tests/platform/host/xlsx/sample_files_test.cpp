// Workbooks written by the spreadsheet program itself (tests/data/xlsx/
// samples): they open, their values and query tables are read, and a save
// of them is readable again by this host and by openpyxl and validates.

#include <gtest/gtest.h>

#include "package_checks.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/host/xlsx/book_reader.h"
#include "platform/host/xlsx/book_writer.h"
#include "support_lib/test_env.h"

namespace tavrello::host::xlsx {
namespace {

using testing::TempDir;
using namespace testing::xlsx;

std::filesystem::path samples() { return testing::xlsxTestData() / "samples"; }

class SampleFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(samples())) TAVRELLO_SKIP_WITHOUT("the samples are not at " + samples().string());
  }

  std::shared_ptr<Book> open(const std::string& name) { return readBook(*app, samples() / name); }

  bool anyNote(const Book& book, const std::string& text) {
    for (const auto& note : book.unkeptParts()) {
      if (note.find(text) != std::string::npos) return true;
    }
    return false;
  }

  std::shared_ptr<WorkbookApplication> app = WorkbookApplication::create();
  TempDir dir;
};

TEST_F(SampleFiles, RangeQueryTablesOfAnOdbcWorkbookAreReadWithTheirStatements) {
  auto book = open("poi_dataValidationTableRange.xlsx");
  auto ranking = book->findSheet("County Ranking");
  auto dropdown = book->findSheet("xdropdown");
  ASSERT_TRUE(ranking && dropdown);
  ASSERT_EQ(ranking->queryTables().size(), 2u);
  ASSERT_EQ(dropdown->queryTables().size(), 8u);
  const auto& first = ranking->queryTables()[0];
  EXPECT_EQ(first->Name(), "ExternalData_1");
  EXPECT_EQ(joinConnection(first->Connection()), "ODBC;DSN=RDS;");
  EXPECT_EQ(first->CommandType(), XlCmdType::Sql);
  EXPECT_EQ(first->CommandText().substr(0, 36), "SELECT * FROM (SELECT table_0.County");
  EXPECT_NE(first->CommandText().find("\r\n"), std::string::npos);  // the file's _x000d__x000a_
  EXPECT_EQ(first->result(), (CellRect{8, 2, 46, 3}));
  auto query = dropdown->QueryTables()->Item("Query from RDS");
  EXPECT_EQ(std::dynamic_pointer_cast<SheetQueryTable>(query)->result(), (CellRect{1, 1, 3118, 2}));
  EXPECT_EQ(ranking->value(8, 2), CellValue(std::string("County")));
  EXPECT_TRUE(anyNote(*book, "charts (xl/charts/chart1.xml and 2 more)"));
  EXPECT_TRUE(anyNote(*book, "on sheet 'County Ranking': 85 formulas"));
}

TEST_F(SampleFiles, AQueryTableOfAnOleDbTableCommandIsRead) {
  auto book = open("openxmlsdk_QueryTable.xlsx");
  auto sheet = book->findSheet("Sheet4");
  ASSERT_EQ(sheet->queryTables().size(), 1u);
  const auto& table = sheet->queryTables()[0];
  EXPECT_EQ(table->Name(), "xloasys11 pubs Bubble2");
  EXPECT_EQ(joinConnection(table->Connection()).substr(0, 29), "OLEDB;Provider=SQLOLEDB.1;Per");
  EXPECT_EQ(table->CommandType(), XlCmdType::Table);
  EXPECT_EQ(table->CommandText(), "\"pubs\".\"dbo\".\"Bubble2\"");
  EXPECT_EQ(table->result(), (CellRect{1, 1, 7, 6}));
}

TEST_F(SampleFiles, QueryTablesThisHostCannotRefreshAreNamedAndTheirCellsKept) {
  auto roo = open("roo_file_item_error.xlsx");
  EXPECT_TRUE(anyNote(*roo, "the query table 'log_all' on sheet 'SDPI' reads a text file"));
  EXPECT_TRUE(roo->findSheet("SDPI")->queryTables().empty());
  EXPECT_TRUE(roo->findSheet("SDPI")->findName("log_all"));

  auto deleted = open("poi_StructuredRefs-lots-with-lookups.xlsx");
  EXPECT_TRUE(anyNote(*deleted, "the query table 'Query from RDS' on sheet 'Query' has no connection left"));
  EXPECT_TRUE(anyNote(*deleted, "links to other workbooks"));
}

TEST_F(SampleFiles, PivotTablesAndMacrosAreNamedAsNotKept) {
  EXPECT_TRUE(anyNote(*open("poi_ExcelPivotTableSample.xlsx"), "pivot tables (xl/pivotTables/pivotTable1.xml and 1 more)"));
  EXPECT_TRUE(anyNote(*open("openxmlsdk_RelationalPivotA1.xlsx"), "pivot tables"));
}

TEST_F(SampleFiles, AnAutoFilterIsRead) {
  auto book = open("xlsxwriter_autofilter01.xlsx");
  auto sheet = book->sheets()[0];
  ASSERT_TRUE(sheet->autoFilter());
  EXPECT_EQ(*sheet->autoFilter(), (CellRect{1, 1, 51, 4}));
  EXPECT_TRUE(book->unkeptParts().empty());
}

TEST_F(SampleFiles, EverySampleSavedByThisHostIsReadableAgainAndValidates) {
  Schemas schemas;
  auto python = openpyxlPython();
  for (const auto& entry : std::filesystem::directory_iterator(samples())) {
    if (entry.path().extension() != ".xlsx") continue;
    SCOPED_TRACE(entry.path().filename().string());
    auto book = readBook(*app, entry.path());
    std::filesystem::path saved = dir / entry.path().filename();
    SaveReport report = saveBook(*book, saved);
    EXPECT_EQ(report.warnings.empty(), book->unkeptParts().empty());

    auto again = readBook(*app, saved);
    ASSERT_EQ(again->sheets().size(), book->sheets().size());
    for (std::size_t i = 0; i < book->sheets().size(); ++i) {
      const Sheet& before = *book->sheets()[i];
      const Sheet& after = *again->sheets()[i];
      EXPECT_EQ(after.name(), before.name());
      EXPECT_EQ(after.queryTables().size(), before.queryTables().size());
      CellRect used;
      if (!before.cells().usedRect(used)) continue;
      before.cells().forEach(used, [&](std::int32_t row, std::int32_t column, const Cell&) {
        EXPECT_EQ(after.value(row, column), before.value(row, column)) << before.name() << " " << row << "," << column;
      });
    }
    if (schemas.missing().empty()) {
      unpack(saved, dir / (entry.path().stem().string() + ".parts"));
      schemas.validatePackage(dir / (entry.path().stem().string() + ".parts"));
    }
    if (python) {
      auto result = runOpenpyxl(*python, saved, "print(sum(1 for ws in wb for row in ws.iter_rows() for c in row if c.value is not None))\n");
      EXPECT_EQ(result.exitCode, 0) << result.output;
    }
  }
  if (!schemas.missing().empty()) TAVRELLO_SKIP_WITHOUT(schemas.missing());
  if (!python) TAVRELLO_SKIP_WITHOUT("python3 with openpyxl is not installed (package python3-openpyxl)");
}

}  // namespace
}  // namespace tavrello::host::xlsx
