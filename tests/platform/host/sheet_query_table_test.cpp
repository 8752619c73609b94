#include "platform/host/workbook/sheet_query_table.h"

#include <gtest/gtest.h>

#include "platform/db/connection.h"
#include "platform/db/db_test_support.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_range.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

using db::testing::nativeString;
using db::testing::newSqliteFile;

class QueryTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file = newSqliteFile(dir);
    setRows(10);
    app = WorkbookApplication::create();
    app->Workbooks()->Add();
    sheet = sheetRange(app->Range("A1")).sheet();
  }

  // The table `t` holds `count` rows: id 1..count, name "n<id>", day.
  void setRows(int count) {
    db::Connection connection;
    connection.Open(nativeString(file));
    connection.Execute("DROP TABLE IF EXISTS t; CREATE TABLE t (id INTEGER, name TEXT, day DATE);");
    std::string insert = "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < " +
                         std::to_string(count) + ") INSERT INTO t SELECT i, 'n' || i, '2024-01-01' FROM k;";
    if (count > 0) connection.Execute(insert);
  }

  std::shared_ptr<QueryTable> addTable(const char* destination, const std::string& sql = "SELECT * FROM t") {
    auto table = app->ActiveSheet()->QueryTables()->Add(std::vector<std::string>{"OLEDB;" + nativeString(file)},
                                                        app->Range(destination));
    table->CommandText(sql);
    return table;
  }

  CellValue at(const char* address) { return app->Range(address)->Value(); }

  tavrello::testing::TempDir dir;
  std::string file;
  std::shared_ptr<WorkbookApplication> app;
  std::shared_ptr<Sheet> sheet;
};

TEST_F(QueryTableTest, ANewTableCarriesTheHostsDefaults) {
  auto table = addTable("C5");
  EXPECT_EQ(table->Name(), "ExternalData_1");
  EXPECT_TRUE(table->FieldNames());
  EXPECT_FALSE(table->RowNumbers());
  EXPECT_FALSE(table->FillAdjacentFormulas());
  EXPECT_TRUE(table->PreserveFormatting());
  EXPECT_FALSE(table->RefreshOnFileOpen());
  EXPECT_TRUE(table->BackgroundQuery());
  EXPECT_EQ(table->RefreshStyle(), XlCellInsertionMode::InsertDeleteCells);
  EXPECT_FALSE(table->SavePassword());
  EXPECT_TRUE(table->SaveData());
  EXPECT_TRUE(table->AdjustColumnWidth());
  EXPECT_EQ(table->RefreshPeriod(), 0);
  EXPECT_TRUE(table->PreserveColumnInfo());
  EXPECT_EQ(table->CommandType(), XlCmdType::Sql);
  EXPECT_EQ(table->Destination()->Address(), "$C$5");
  EXPECT_EQ(table->ResultRange(), nullptr);
  EXPECT_EQ(std::get<std::vector<std::string>>(table->Connection()).size(), 1u);
  EXPECT_EQ(addTable("H1")->Name(), "ExternalData_2");
  EXPECT_EQ(app->ActiveSheet()->QueryTables()->Count(), 2);
  EXPECT_EQ(app->ActiveSheet()->QueryTables()->Item("externaldata_1"), table);
}

TEST_F(QueryTableTest, PropertiesReadBackAndBadValuesAreRefused) {
  auto table = addTable("C5");
  table->FieldNames(false);
  table->RefreshStyle(XlCellInsertionMode::OverwriteCells);
  table->RefreshPeriod(15);
  table->BackgroundQuery(false);
  EXPECT_FALSE(table->FieldNames());
  EXPECT_EQ(table->RefreshStyle(), 0);
  EXPECT_EQ(table->RefreshPeriod(), 15);
  EXPECT_FALSE(table->BackgroundQuery());
  EXPECT_THROW(table->RefreshStyle(3), Failure);
  EXPECT_THROW(table->RefreshPeriod(-1), Failure);
  EXPECT_THROW(table->CommandType(9), Failure);
  EXPECT_THROW(table->Connection(std::string("URL;http://example.com")), Failure);
  EXPECT_THROW(table->Name(""), Failure);
  EXPECT_THROW(addTable("A1")->Name("externaldata_1"), Failure);
  EXPECT_THROW(app->ActiveSheet()->QueryTables()->Add(std::string("TEXT;/tmp/x.csv"), app->Range("A1")), Failure);
  auto other = app->activeBook()->Worksheets()->Add();
  EXPECT_THROW(other->QueryTables()->Add(std::string("ODBC;DSN=x"), sheet->Range("A1")), Failure);
}

TEST_F(QueryTableTest, RefreshWritesHeadingAndRowsAndNamesTheBlock) {
  auto table = addTable("C5");
  table->Name("Sales by day");
  EXPECT_TRUE(table->Refresh(false));
  EXPECT_EQ(std::get<std::string>(at("C5")), "id");
  EXPECT_EQ(std::get<std::string>(at("D5")), "name");
  EXPECT_EQ(std::get<std::string>(at("E5")), "day");
  EXPECT_EQ(std::get<double>(at("C6")), 1);
  EXPECT_EQ(std::get<std::string>(at("D15")), "n10");
  EXPECT_TRUE(std::holds_alternative<DateTime>(at("E15")));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("C16")));
  EXPECT_EQ(table->ResultRange()->Address(), "$C$5:$E$15");
  const DefinedName* name = sheet->findName("Sales_by_day");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->rect, (CellRect{5, 3, 15, 5}));
  EXPECT_TRUE(name->hidden);
  // Widths were fitted to the block.
  EXPECT_NE(sheet->columnWidth(5), Sheet::kDefaultColumnWidth);
  // Renaming moves the name.
  table->Name("Daily");
  EXPECT_EQ(sheet->findName("Sales_by_day"), nullptr);
  EXPECT_NE(sheet->findName("Daily"), nullptr);
}

TEST_F(QueryTableTest, WithoutFieldNamesTheDataStartsAtTheDestination) {
  auto table = addTable("C5");
  table->FieldNames(false);
  table->AdjustColumnWidth(false);
  table->Refresh();
  EXPECT_EQ(std::get<double>(at("C5")), 1);
  EXPECT_EQ(table->ResultRange()->Address(), "$C$5:$E$14");
  EXPECT_TRUE(sheet->columnWidths().empty());
}

TEST_F(QueryTableTest, ALaterRefreshWithMoreRowsMovesWhatLiesBelowDown) {
  auto table = addTable("C5");
  table->Refresh();
  app->Range("C17")->Value("below");
  app->Range("F17")->Value("beside");  // outside the table's columns: stays
  app->Range("C20:D22")->AutoFilter();
  setRows(13);
  table->Refresh();
  EXPECT_EQ(table->ResultRange()->Address(), "$C$5:$E$18");
  EXPECT_EQ(std::get<double>(at("C18")), 13);
  EXPECT_EQ(std::get<std::string>(at("C20")), "below");
  EXPECT_EQ(std::get<std::string>(at("F17")), "beside");
  EXPECT_EQ(*sheet->autoFilter(), (CellRect{23, 3, 25, 4}));
}

TEST_F(QueryTableTest, ALaterRefreshWithFewerRowsMovesWhatLiesBelowUp) {
  auto table = addTable("C5");
  table->Refresh();
  app->Range("C17")->Value("below");
  setRows(4);
  table->Refresh();
  EXPECT_EQ(table->ResultRange()->Address(), "$C$5:$E$9");
  EXPECT_EQ(std::get<double>(at("C9")), 4);
  EXPECT_EQ(std::get<std::string>(at("C11")), "below");
  for (const char* gone : {"C10", "D12", "E15", "C17"})
    EXPECT_TRUE(std::holds_alternative<std::monostate>(at(gone))) << gone;
  EXPECT_EQ(sheet->findName("ExternalData_1")->rect, (CellRect{5, 3, 9, 5}));
}

TEST_F(QueryTableTest, AnEmptyResultKeepsTheHeadingRow) {
  auto table = addTable("A1");
  table->Refresh();
  setRows(0);
  table->Refresh();
  EXPECT_EQ(table->ResultRange()->Address(), "$A$1:$C$1");
  EXPECT_EQ(std::get<std::string>(at("A1")), "id");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("A2")));
}

TEST_F(QueryTableTest, TheFirstRefreshMakesRoomInsteadOfOverwritingWhatIsBelow) {
  app->Range("D7")->Value("keep me");
  auto table = addTable("C5");
  table->Refresh();
  EXPECT_EQ(std::get<std::string>(at("D17")), "keep me");
}

TEST_F(QueryTableTest, OverwriteStyleOverwritesAndClearsTheUnusedRows) {
  auto table = addTable("C5");
  table->RefreshStyle(XlCellInsertionMode::OverwriteCells);
  app->Range("D7")->Value("overwritten");
  table->Refresh();
  EXPECT_EQ(std::get<std::string>(at("D7")), "n2");
  app->Range("C17")->Value("stays");
  setRows(2);
  table->Refresh();
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("C8")));
  EXPECT_EQ(std::get<std::string>(at("C17")), "stays");
}

TEST_F(QueryTableTest, PreservedFormatsStayAndNewRowsTakeTheLastRowsFormat) {
  auto table = addTable("C5");
  table->Refresh();
  app->Range("C5:E15")->AutoFormat({RangeAutoFormat::List2});
  const Cell* heading = sheet->cells().find(5, 3);
  std::uint32_t headingStyle = heading->style();
  std::uint32_t lastRowStyle = sheet->cells().find(15, 4)->style();
  setRows(12);
  table->Refresh();
  EXPECT_EQ(sheet->cells().find(5, 3)->style(), headingStyle);
  EXPECT_EQ(sheet->cells().find(17, 4)->style(), lastRowStyle);

  table->PreserveFormatting(false);
  table->Refresh();
  EXPECT_EQ(sheet->cells().find(5, 3)->style(), 0u);
}

TEST_F(QueryTableTest, ADatabaseFailureComesBackAndLeavesTheSheetAlone) {
  auto table = addTable("C5");
  table->Refresh();
  table->CommandText("SELECT id FROM nowhere");
  try {
    table->Refresh();
    ADD_FAILURE() << "a bad statement refreshed";
  } catch (const Failure& failure) {
    EXPECT_NE(failure.description().find("nowhere"), std::string::npos) << failure.description();
  }
  EXPECT_EQ(table->ResultRange()->Address(), "$C$5:$E$15");
  EXPECT_EQ(std::get<double>(at("C15")), 10);

  auto missing = app->ActiveSheet()->QueryTables()->Add(
      std::string("OLEDB;Provider=SQLite;Data Source=" + (dir / "missing.db").string()), app->Range("K1"));
  missing->CommandText("SELECT 1");
  EXPECT_THROW(missing->Refresh(), Failure);
  EXPECT_EQ(missing->ResultRange(), nullptr);
  auto empty = addTable("M1", "   ");
  EXPECT_THROW(empty->Refresh(), Failure);
}

TEST_F(QueryTableTest, RefreshReportsTheValuesItHadToChange) {
  auto table = addTable("B2", "SELECT id, x'00ff' AS picture, 'n' || id AS name FROM t WHERE id <= 3");
  EXPECT_TRUE(table->LastRefreshChanges().empty()) << "nothing before the first refresh";
  table->Refresh(false);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("C3"))) << "binary data is left blank";
  EXPECT_EQ(std::get<double>(at("B5")), 3);
  EXPECT_EQ(std::get<std::string>(at("D5")), "n3");
  EXPECT_EQ(table->LastRefreshChanges().changes,
            (std::vector<ColumnChange>{{"picture", CellChange::BinaryLeftBlank, 3}}));
  table->CommandText("SELECT id FROM t");
  table->Refresh(false);
  EXPECT_TRUE(table->LastRefreshChanges().empty()) << "each refresh reports only its own changes";
}

TEST_F(QueryTableTest, ContentThatWouldBePushedOffTheGridStopsTheRefresh) {
  app->Range("C1048576")->Value("at the bottom");
  auto table = addTable("C5");
  EXPECT_THROW(table->Refresh(), Failure);
  EXPECT_EQ(std::get<std::string>(at("C1048576")), "at the bottom");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("C5")));
}

TEST_F(QueryTableTest, RowNumbersAddAColumnOfRowNumbers) {
  auto table = addTable("A1", "SELECT name FROM t");
  table->RowNumbers(true);
  table->Refresh();
  EXPECT_EQ(table->ResultRange()->Address(), "$A$1:$B$11");
  EXPECT_EQ(std::get<double>(at("A11")), 10);
  EXPECT_EQ(std::get<std::string>(at("B1")), "name");
}

TEST_F(QueryTableTest, DeleteRemovesTheTableAndItsNameButKeepsTheCells) {
  auto table = addTable("C5");
  table->Refresh();
  table->Delete();
  EXPECT_EQ(app->ActiveSheet()->QueryTables()->Count(), 0);
  EXPECT_EQ(sheet->findName("ExternalData_1"), nullptr);
  EXPECT_EQ(std::get<double>(at("C6")), 1);
  EXPECT_THROW(table->Refresh(), Failure);
}

TEST_F(QueryTableTest, AnOdbcConnectionRefreshesThroughTheDriver) {
  auto table = app->ActiveSheet()->QueryTables()->Add(std::string("ODBC;Driver=SQLite3;Database=" + file + ";"),
                                                      app->Range("A1"));
  table->CommandText("SELECT id, name FROM t WHERE id <= 3");
  table->Refresh(false);
  EXPECT_EQ(table->ResultRange()->Address(), "$A$1:$B$4");
  EXPECT_EQ(std::get<std::string>(at("B4")), "n3");
}

TEST(QueryTablePostgres, RefreshesFromPostgresOverOdbc) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  auto app = WorkbookApplication::create();
  app->Workbooks()->Add();
  auto table = app->ActiveSheet()->QueryTables()->Add(std::vector<std::string>{"ODBC;" + cs}, app->Range("B2"));
  table->CommandText("SELECT g AS n, 'row ' || g AS label FROM generate_series(1, 5) AS g");
  table->Refresh(false);
  EXPECT_EQ(table->ResultRange()->Address(), "$B$2:$C$7");
  EXPECT_EQ(std::get<std::string>(app->Range("C7")->Value()), "row 5");
}

}  // namespace
}  // namespace tavrello::host
