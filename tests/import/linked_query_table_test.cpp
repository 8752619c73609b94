// Embed: the statement placed as a query table at the destination, filled
// once, saved with the workbook and refreshable later without the add-in.

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "import_fixture.h"
#include "platform/db/db_test_support.h"
#include "platform/host/query_tables.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/xlsx/package_checks.h"

namespace tavrello {
namespace {

using forms::MsgIcon;
using host::QueryConnection;
using testing::xlsx::readersRequired;

class LinkedQueryTable : public testing::ImportFixture {
 protected:
  // Embed of the window's statement as `name` at `address`.
  void embedAt(formSQLNew& w, const std::string& address, const std::string& name = "People") {
    pasteAt(w, address);
    w.TextEmbed.userSetText(name);
    ASSERT_TRUE(w.CommandEmbed.Enabled());
    w.CommandEmbed.userClick();
  }

  std::shared_ptr<host::QueryTable> onlyTable() {
    auto tables = app_->ActiveSheet()->QueryTables();
    EXPECT_EQ(tables->Count(), 1);
    return tables->Count() == 1 ? tables->Item(1) : nullptr;
  }

  // The query table of a connection saved as `stored`, embedded at A1.
  QueryConnection argumentFor(const std::string& stored) {
    saveConnections({{"Stored", stored}, {"Shop", shopConnection()}});
    saved_ = true;
    formSQLNew& w = openWindow();
    w.ComboConnections.userSelect(1);
    w.CommandConnect.userClick();
    typeStatement(w, kPeople);
    w.ComboConnections.Text("Stored");
    embedAt(w, "A1", "T");
    auto table = onlyTable();
    return table ? table->Connection() : QueryConnection{};
  }
};

TEST_F(LinkedQueryTable, WithHeadingsAtC5TheTableFilterAndSchemeCoverC5ToE15) {
  formSQLNew& w = windowWith(kPeople);
  embedAt(w, "C5");
  EXPECT_EQ(boxes(), "");
  auto table = onlyTable();
  ASSERT_TRUE(table);
  EXPECT_EQ(table->Name(), "People");
  EXPECT_EQ(table->Destination()->Address(), "$C$5");
  EXPECT_EQ(table->ResultRange()->Address(), "$C$5:$E$15");
  EXPECT_EQ(text("C5"), "ID");
  EXPECT_EQ(text("E15"), "City 10");
  EXPECT_EQ(autoFilter(), "$C$5:$E$15");
  EXPECT_EQ(fillAt("C5"), 0x808080u);
  EXPECT_EQ(fillAt("E15"), 0xDDDDDDu);
  EXPECT_FALSE(styled("C16"));
  EXPECT_FALSE(windowOpen());
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);
}

TEST_F(LinkedQueryTable, TheTableCarriesTheStatementAndItsSettings) {
  formSQLNew& w = windowWith(kPeople);
  const std::string statement = w.TextSQL.Text();
  embedAt(w, "B2", "Sales by region");
  auto table = onlyTable();
  ASSERT_TRUE(table);
  EXPECT_EQ(table->CommandType(), host::XlCmdType::Sql);
  EXPECT_EQ(table->CommandText(), statement) << "the statement box's text, as the builder laid it out";
  EXPECT_EQ(table->Name(), "Sales by region");
  EXPECT_TRUE(table->FieldNames());
  EXPECT_FALSE(table->RowNumbers());
  EXPECT_FALSE(table->FillAdjacentFormulas());
  EXPECT_TRUE(table->PreserveFormatting());
  EXPECT_FALSE(table->RefreshOnFileOpen());
  EXPECT_TRUE(table->BackgroundQuery()) << "later refreshes may run in the background";
  EXPECT_EQ(table->RefreshStyle(), host::XlCellInsertionMode::InsertDeleteCells);
  EXPECT_FALSE(table->SavePassword());
  EXPECT_TRUE(table->SaveData());
  EXPECT_TRUE(table->AdjustColumnWidth());
  EXPECT_EQ(table->RefreshPeriod(), 0);
  EXPECT_TRUE(table->PreserveColumnInfo());
  EXPECT_EQ(table->Connection(), QueryConnection(std::vector<std::string>{"OLEDB;" + shopConnection()}));
}

TEST_F(LinkedQueryTable, WithoutHeadingsTheSchemeCoversTheDataAndTheFilterTheRowBelowToo) {
  formSQLNew& w = windowWith(kPeople);
  w.CheckBoxImportHeadings.userClick();
  typeStatement(w, w.TextSQL.Text());
  w.CheckAutofilter.userClick();
  w.ComboFormats.userSetText("Black and Grey");
  embedAt(w, "C5");
  EXPECT_EQ(boxes(), "");
  auto table = onlyTable();
  ASSERT_TRUE(table);
  EXPECT_FALSE(table->FieldNames());
  EXPECT_EQ(table->ResultRange()->Address(), "$C$5:$E$14");
  EXPECT_EQ(std::get<double>(at("C5")), 1);
  EXPECT_EQ(autoFilter(), "$C$5:$E$15");
  EXPECT_EQ(fillAt("E14"), 0xC0C0C0u);
  EXPECT_FALSE(styled("C15"));
}

TEST_F(LinkedQueryTable, TheConnectionArgumentFollowsTheStoredString) {
  EXPECT_EQ(argumentFor(shopConnection()), QueryConnection(std::vector<std::string>{"OLEDB;" + shopConnection()}));
}

// A file DSN in a folder named odbc: the stored string holds both ODBC and
// FILEDSN=, and ends in the file's name.
class LinkedQueryTableOnFileDsn : public LinkedQueryTable {
 protected:
  std::string fileDsn() {
    std::filesystem::create_directories(capture_.dataFolder() / "odbc");
    const std::filesystem::path dsn = capture_.dataFolder() / "odbc" / "shop.dsn";
    testing::writeFile(dsn, "[ODBC]\nDRIVER=SQLite3\nDATABASE=" + shopFile().string() + "\n");
    return dsn.string();
  }
};

TEST_F(LinkedQueryTableOnFileDsn, AFileDsnEndingInItsNameKeepsItAndRefreshes) {
  const std::string dsn = fileDsn();
  EXPECT_EQ(argumentFor("FILEDSN=" + dsn), QueryConnection("ODBC;FILEDSN=" + dsn));
  EXPECT_EQ(boxes(), "") << "the table was filled through the file DSN";
  EXPECT_EQ(text("C11"), "City 10");
}

TEST_F(LinkedQueryTableOnFileDsn, ALowerCaseFileDsnLosesOnlyItsFinalSemicolon) {
  const std::string dsn = fileDsn();
  EXPECT_EQ(argumentFor("filedsn=" + dsn + ";"), QueryConnection("ODBC;filedsn=" + dsn));
  EXPECT_EQ(boxes(), "");
  EXPECT_EQ(text("A1"), "ID");
}

TEST_F(LinkedQueryTableOnFileDsn, AnOdbcDriverStringGoesWholeInAnArray) {
  fileDsn();
  const std::filesystem::path copy = capture_.dataFolder() / "odbc" / "shop.db";
  std::filesystem::copy_file(shopFile(), copy);
  const std::string stored = "Driver=SQLite3;Database=" + copy.string() + ";";
  EXPECT_EQ(argumentFor(stored), QueryConnection(std::vector<std::string>{"ODBC;" + stored}));
  EXPECT_EQ(boxes(), "");
  EXPECT_EQ(text("B11"), "Name 10");
}

TEST_F(LinkedQueryTable, ANoRowsResultLeavesTheWindowAndTheConnectionOpenAndAddsNoTable) {
  formSQLNew& w = windowWith("SELECT ID FROM people WHERE ID > 99");
  embedAt(w, "A1");
  capture_.expectBox(0, "No records were returned (record count = 0),  Please check your SQL statement!",
                     MsgIcon::Information);
  EXPECT_EQ(app_->ActiveSheet()->QueryTables()->Count(), 0);
  EXPECT_TRUE(windowOpen());
  ASSERT_NE(MGlobals::gcnDatabase, nullptr);
  EXPECT_EQ(MGlobals::gcnDatabase->State(), 1);
}

TEST_F(LinkedQueryTable, ANameTheHostRefusesIsReportedAndTheFirstTableStays) {
  formSQLNew& w = windowWith(kPeople);
  embedAt(w, "A1", "People");
  formSQLNew& again = windowWith(kPeople);
  embedAt(again, "H1", "people");
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_EQ(capture_.dialogs().boxes()[0].icon, MsgIcon::Critical);
  EXPECT_NE(capture_.log().find("formSQLNew.CommandEmbed_Click, Error 1004: "), std::string::npos) << capture_.log();
  EXPECT_NE(capture_.log().find(" (CommandEmbed_Click)"), std::string::npos);
  EXPECT_EQ(app_->ActiveSheet()->QueryTables()->Count(), 2) << "the table added before the failure stays";
  EXPECT_TRUE(windowOpen());
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);
}

TEST_F(LinkedQueryTable, ChangedValuesOfTheFirstFillAreTold) {
  execute("CREATE TABLE files (name TEXT, content BLOB); INSERT INTO files VALUES ('a', x'01'), ('b', x'02');");
  formSQLNew& w = windowWith("SELECT name, content FROM files ORDER BY name");
  embedAt(w, "A1", "Files");
  EXPECT_EQ(boxes(),
            "Information: Tavrello: Some values could not be placed in the sheet exactly as the database gave "
            "them: | Column \"content\": 2 binary values were left blank: a cell cannot hold binary data.\n");
  EXPECT_NE(capture_.log().find("formSQLNew.CommandEmbed_Click, Error 0: Column \"content\""), std::string::npos);
  EXPECT_EQ(text("A3"), "b");
  EXPECT_TRUE(empty("B3"));
}

TEST_F(LinkedQueryTable, ASavedTableValidatesReadsInOpenpyxlAndRefreshesWithNewRows) {
  formSQLNew& w = windowWith(kPeople);
  embedAt(w, "C5");
  ASSERT_EQ(boxes(), "");
  const std::filesystem::path file = testing::artefactDir() / "linked_query_table.xlsx";
  app_->ActiveWorkbook()->SaveAs(file.string());

  testing::xlsx::Schemas schemas;
  if (!schemas.missing().empty()) TAVRELLO_SKIP_WITHOUT(schemas.missing());
  testing::TempDir unpacked;
  testing::xlsx::unpack(file, unpacked.path());
  schemas.validatePackage(unpacked.path());
  const std::string connections = testing::readFile(unpacked / "xl/connections.xml");
  EXPECT_NE(connections.find("Provider=SQLite"), std::string::npos) << connections;
  const std::string queryTable = testing::readFile(unpacked / "xl/queryTables/queryTable1.xml");
  EXPECT_NE(queryTable.find("name=\"People\""), std::string::npos) << queryTable;

  auto python = testing::xlsx::openpyxlPython();
  if (!python) TAVRELLO_SKIP_WITHOUT("python3 with openpyxl is not installed (package python3-openpyxl)");
  auto read = testing::xlsx::runOpenpyxl(*python, file, R"(
ws = wb.active
print(ws['C5'].value, ws['D5'].value, ws['E5'].value, ws['C15'].value, ws['E15'].value)
print(ws.auto_filter.ref)
)");
  ASSERT_EQ(read.exitCode, 0) << read.output;
  EXPECT_EQ(read.output, "ID NAME CITY 10 City 10\nC5:E15\n");

  // The database changes; the host refreshes the saved table on its own.
  execute("INSERT INTO people VALUES (11, 'Name 11', 'City 11'); UPDATE people SET CITY = 'Moved' WHERE ID = 1;");
  auto host = host::WorkbookApplication::create();
  auto book = host->openBook(file);
  auto table = book->sheets()[0]->queryTables().at(0);
  table->Refresh(false);
  EXPECT_EQ(std::get<std::string>(host->Range("E6")->Value()), "Moved");
  EXPECT_EQ(std::get<std::string>(host->Range("E16")->Value()), "City 11");
  EXPECT_EQ(table->ResultRange()->Address(), "$C$5:$E$16");
}

TEST_F(LinkedQueryTable, EmbedsFromPostgresOverOdbc) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  const std::string name = db::testing::uniqueName("people");
  {
    db::Connection pg;
    pg.Open(cs);
    pg.Execute("CREATE TABLE " + name + " (id integer, name text, city text); INSERT INTO " + name +
               " SELECT g, 'Name ' || g, 'City ' || g FROM generate_series(1, 10) AS g");
  }
  saveConnections({{"Warehouse", cs}});
  formSQLNew& w = openWindow();
  w.CommandConnect.userClick();
  typeStatement(w, "SELECT id, name, city FROM " + name + " ORDER BY id");
  embedAt(w, "C5", "Warehouse people");
  EXPECT_EQ(boxes(), "");
  auto table = onlyTable();
  ASSERT_TRUE(table);
  // The string names no ODBC, so it goes as an OLE DB string, whose default
  // provider is the one for ODBC.
  EXPECT_EQ(table->Connection(), QueryConnection(std::vector<std::string>{"OLEDB;" + cs}));
  EXPECT_EQ(text("E15"), "City 10");
  {
    db::Connection pg;
    pg.Open(cs);
    pg.Execute("UPDATE " + name + " SET city = 'Far' WHERE id = 10");
  }
  table->Refresh(false);
  EXPECT_EQ(text("E15"), "Far");
  db::Connection pg;
  pg.Open(cs);
  pg.Execute("DROP TABLE " + name);
}

}  // namespace
}  // namespace tavrello
