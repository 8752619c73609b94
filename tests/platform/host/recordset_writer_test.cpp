#include "platform/host/workbook/recordset_writer.h"

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

class CopyFromRecordsetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = WorkbookApplication::create();
    app->Workbooks()->Add();
    connection.Open(nativeString(newSqliteFile(dir)));
    connection.Execute(
        "CREATE TABLE t (id INTEGER, amount REAL, price DECIMAL(10,2), name TEXT, paid BOOLEAN, day DATE, "
        "stamp TIMESTAMP, at TIME, note TEXT);"
        "INSERT INTO t VALUES (1, 2.5, '12.50', 'Zürich', 1, '2024-03-05', '2024-03-05 13:45:10', '08:30:00', NULL);"
        "INSERT INTO t VALUES (2, -1, '0.10', '東京', 0, '1999-12-31', '2000-01-01 00:00:00', '23:59:59', 'x');"
        "INSERT INTO t VALUES (3, NULL, NULL, '', NULL, NULL, NULL, NULL, NULL);");
  }

  CellValue at(const char* address) { return app->Range(address)->Value(); }
  std::string formatOf(const char* address) {
    auto range = app->Range(address);
    const SheetRange& mine = sheetRange(range);
    const StyleTable& styles = mine.sheet()->book()->styles();
    const Cell* cell = mine.sheet()->cells().find(mine.rect().top, mine.rect().left);
    return styles.numberFormat(styles.style(cell ? cell->style() : 0).numberFormat).code;
  }

  tavrello::testing::TempDir dir;
  db::Connection connection;
  std::shared_ptr<WorkbookApplication> app;
};

TEST_F(CopyFromRecordsetTest, WritesEveryRowTypedWithoutAHeading) {
  auto result = connection.Execute("SELECT * FROM t ORDER BY id");
  EXPECT_EQ(app->Range("B2")->CopyFromRecordset(*result), 3);
  EXPECT_TRUE(result->Eof());
  EXPECT_EQ(std::get<double>(at("B2")), 1);
  EXPECT_EQ(std::get<double>(at("C2")), 2.5);
  EXPECT_EQ(std::get<double>(at("D2")), 12.5);
  EXPECT_EQ(std::get<std::string>(at("E2")), "Zürich");
  EXPECT_EQ(std::get<std::string>(at("E3")), "東京");
  EXPECT_EQ(std::get<bool>(at("F2")), true);
  EXPECT_EQ(std::get<bool>(at("F3")), false);
  EXPECT_EQ(std::get<DateTime>(at("G2")).serial, 45356);
  EXPECT_EQ(formatOf("G2"), "yyyy-mm-dd");
  EXPECT_NEAR(std::get<DateTime>(at("H2")).serial, 45356 + (13 * 3600 + 45 * 60 + 10) / 86400.0, 1e-9);
  EXPECT_EQ(formatOf("H2"), "yyyy-mm-dd hh:mm:ss");
  EXPECT_NEAR(std::get<DateTime>(at("I2")).serial, 8.5 / 24, 1e-9);
  EXPECT_EQ(formatOf("I2"), "hh:mm:ss");
  // NULL leaves the cell empty; so does empty text.
  for (const char* empty : {"J2", "C4", "D4", "E4", "F4", "G4", "H4", "I4"})
    EXPECT_TRUE(std::holds_alternative<std::monostate>(at(empty))) << empty;
  EXPECT_EQ(std::get<std::string>(at("J3")), "x");
  // Nothing above or to the right.
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("B1")));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("K2")));
}

TEST_F(CopyFromRecordsetTest, StartsAtTheCurrentRowAndHonoursTheLimits) {
  auto result = connection.Execute("SELECT id, name FROM t ORDER BY id");
  result->MoveNext();
  EXPECT_EQ(app->Range("A1")->CopyFromRecordset(*result, 1, 1), 1);
  EXPECT_EQ(std::get<double>(at("A1")), 2);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("B1")));
  EXPECT_FALSE(result->Eof());
  EXPECT_EQ(app->Range("A5")->CopyFromRecordset(*result), 1);
  EXPECT_EQ(std::get<double>(at("A5")), 3);
  EXPECT_EQ(app->Range("A9")->CopyFromRecordset(*result), 0);
}

TEST_F(CopyFromRecordsetTest, AnEmptyResultWritesNothing) {
  auto result = connection.Execute("SELECT * FROM t WHERE id > 100");
  EXPECT_EQ(app->Range("A1")->CopyFromRecordset(*result), 0);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("A1")));
}

// A result of the grid's height in every type, built in memory: row r holds
// values derived from r, every seventh row NULL, and a 16-digit integer
// (kept as text) every 100,000th row.
std::shared_ptr<db::Recordset> tallResult(std::size_t rows) {
  std::vector<db::Column> columns;
  for (auto [name, type] : {std::pair{"int", db::DataType::Integer}, {"real", db::DataType::Double},
                            {"dec", db::DataType::Decimal}, {"flag", db::DataType::Boolean},
                            {"text", db::DataType::Text}, {"day", db::DataType::Date}, {"at", db::DataType::Time},
                            {"stamp", db::DataType::DateTime}})
    columns.emplace_back(name, type);
  for (std::size_t r = 0; r < rows; ++r) {
    if (r % 7 == 3) {
      for (auto& c : columns) c.appendNull();
      continue;
    }
    const auto i = static_cast<std::int64_t>(r);
    columns[0].appendInteger(r % 100000 == 0 ? 1234567890123456 + i : i);
    columns[1].appendDouble(static_cast<double>(i) + 0.25);
    columns[2].appendDecimal(std::to_string(i % 1000) + ".50");
    columns[3].appendBoolean(r % 2 == 0);
    columns[4].appendText("name " + std::to_string(r % 5000));
    columns[5].appendSerial(40000 + static_cast<double>(r % 3000), db::DataType::Date);
    columns[6].appendSerial(static_cast<double>(r % 86400) / 86400, db::DataType::Time);
    columns[7].appendSerial(40000.5 + static_cast<double>(r % 3000), db::DataType::DateTime);
  }
  return std::make_shared<db::Recordset>(std::move(columns));
}

TEST_F(CopyFromRecordsetTest, AMillionRowsGivenUpToTheCopyReadBackRight) {
  constexpr std::size_t kRows = 1048575;
  auto result = tallResult(kRows);
  auto kept = tallResult(kRows);
  result->ReleaseRowsWhenCopied(true);
  CopyReport consumedReport, keptReport;
  EXPECT_EQ(app->Range("A2")->CopyFromRecordset(*result, std::nullopt, std::nullopt, &consumedReport), 1048575);
  EXPECT_EQ(app->Range("K2")->CopyFromRecordset(*kept, std::nullopt, std::nullopt, &keptReport), 1048575);
  EXPECT_EQ(consumedReport.changes, keptReport.changes);
  ASSERT_EQ(consumedReport.changes.size(), 1u);
  EXPECT_EQ(consumedReport.changes[0].cells, 9);

  // The result set gave its rows up but kept what the import reads after the copy.
  EXPECT_TRUE(result->Eof());
  EXPECT_EQ(result->RecordCount(), 1048575);
  EXPECT_EQ(result->fields().Item(7).Name(), "stamp");
  for (std::size_t i = 0; i < result->columnCount(); ++i) EXPECT_EQ(result->column(i).size(), 0u);
  // One without the flag, as the preview grid holds it, keeps every row.
  kept->MoveFirst();
  EXPECT_EQ(kept->fields().Item(4).Value().text, "name 0");
  EXPECT_EQ(kept->column(4).text(kRows - 1), "name " + std::to_string((kRows - 1) % 5000));

  const auto sheetRow = [](std::size_t r) { return std::to_string(r + 2); };
  for (std::size_t r : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{524287}, std::size_t{524288},
                        kRows - 1}) {
    const std::string row = sheetRow(r);
    const auto cell = [&](const char* column) { return app->Range((column + row).c_str())->Value(); };
    SCOPED_TRACE("row " + std::to_string(r));
    if (r % 7 == 3) {
      for (const char* column : {"A", "B", "C", "D", "E", "F", "G", "H"})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(cell(column))) << column;
      continue;
    }
    const double i = static_cast<double>(r);
    if (r % 100000 == 0) EXPECT_EQ(std::get<std::string>(cell("A")), std::to_string(1234567890123456 + r));
    else EXPECT_EQ(std::get<double>(cell("A")), i);
    EXPECT_EQ(std::get<double>(cell("B")), i + 0.25);
    EXPECT_EQ(std::get<double>(cell("C")), static_cast<double>(r % 1000) + 0.5);
    EXPECT_EQ(std::get<bool>(cell("D")), r % 2 == 0);
    EXPECT_EQ(std::get<std::string>(cell("E")), "name " + std::to_string(r % 5000));
    EXPECT_EQ(std::get<DateTime>(cell("F")).serial, 40000 + static_cast<double>(r % 3000));
    EXPECT_EQ(std::get<DateTime>(cell("G")).serial, static_cast<double>(r % 86400) / 86400);
    EXPECT_EQ(std::get<DateTime>(cell("H")).serial, 40000.5 + static_cast<double>(r % 3000));
  }
  EXPECT_EQ(formatOf(("F" + sheetRow(kRows - 1)).c_str()), "yyyy-mm-dd");
  EXPECT_EQ(formatOf(("H" + sheetRow(kRows - 1)).c_str()), "yyyy-mm-dd hh:mm:ss");
}

TEST_F(CopyFromRecordsetTest, ACopyThatStopsShortKeepsTheRowsItWasLetRelease) {
  auto result = connection.Execute("SELECT id FROM t ORDER BY id");
  result->ReleaseRowsWhenCopied(true);
  EXPECT_EQ(app->Range("A1")->CopyFromRecordset(*result, 2), 2);
  EXPECT_FALSE(result->Eof());
  EXPECT_EQ(result->fields().Item(0).Value().integer, 3) << "rows stay for a copy that did not reach the end";
  EXPECT_EQ(app->Range("A3")->CopyFromRecordset(*result), 1);
  EXPECT_TRUE(result->Eof());
  EXPECT_EQ(result->column(0).size(), 0u);
  EXPECT_EQ(std::get<double>(at("A3")), 3);
}

// Values no cell holds as they come are changed, never lost silently, and
// the report names each field and how many of its cells changed.
class CopyFidelity : public CopyFromRecordsetTest {
 protected:
  void SetUp() override {
    CopyFromRecordsetTest::SetUp();
    connection.Execute(
        "CREATE TABLE f (id INTEGER, big INTEGER, exact DECIMAL(30,5), note TEXT, data BLOB, born DATE, "
        "seen TIMESTAMP, ratio REAL, at TIME);"
        "INSERT INTO f VALUES (1, 1234567890123456789, '0.5', 'short', x'00ff', '1899-07-14', "
        "'1900-02-28 10:00:00', 1e999, '08:00:00');"
        "INSERT INTO f VALUES (2, 999999999999999, '12.50', printf('%.40000c', 'x'), NULL, '1900-03-01', "
        "'1900-03-01 00:00:00', -1e999, '00:00:00');"
        "INSERT INTO f VALUES (3, -1000000000000000000, '0.000000000000000012345', NULL, x'01', NULL, NULL, 2.5, "
        "NULL);");
  }
};

TEST_F(CopyFidelity, EveryChangedValueIsReportedByFieldAndKind) {
  auto result = connection.Execute("SELECT * FROM f ORDER BY id");
  CopyReport report;
  EXPECT_EQ(app->Range("A1")->CopyFromRecordset(*result, std::nullopt, std::nullopt, &report), 3);
  EXPECT_EQ(report.changes, (std::vector<ColumnChange>{{"big", CellChange::NumberAsText, 1},
                                                       {"note", CellChange::TextCut, 1},
                                                       {"data", CellChange::BinaryLeftBlank, 2},
                                                       {"born", CellChange::DateAsText, 1},
                                                       {"seen", CellChange::DateAsText, 1},
                                                       {"ratio", CellChange::NumberAsText, 2}}));
}

// SQLite keeps no exact decimals (its NUMERIC columns turn them into
// doubles), so long decimals are met over ODBC only (see the PostgreSQL case).
TEST_F(CopyFidelity, LongNumbersKeepEveryDigitAsText) {
  auto result = connection.Execute("SELECT big, exact FROM f ORDER BY id");
  app->Range("A1")->CopyFromRecordset(*result);
  EXPECT_EQ(std::get<std::string>(at("A1")), "1234567890123456789");
  EXPECT_EQ(std::get<double>(at("B1")), 0.5);
  // Fifteen digits, and trailing or leading zeros, are kept as numbers.
  EXPECT_EQ(std::get<double>(at("A2")), 999999999999999.0);
  EXPECT_EQ(std::get<double>(at("A3")), -1e18);
  EXPECT_EQ(std::get<double>(at("B2")), 12.5);
  EXPECT_DOUBLE_EQ(std::get<double>(at("B3")), 0.000000000000000012345);
}

TEST_F(CopyFidelity, TextIsCutToTheCellLimit) {
  auto result = connection.Execute("SELECT note FROM f ORDER BY id");
  app->Range("A1")->CopyFromRecordset(*result);
  EXPECT_EQ(std::get<std::string>(at("A2")).size(), 32767u);
  EXPECT_EQ(std::get<std::string>(at("A1")), "short");
}

TEST_F(CopyFidelity, BinaryIsLeftBlankAndTheOtherFieldsAreWritten) {
  auto result = connection.Execute("SELECT id, data FROM f ORDER BY id");
  CopyReport report;
  EXPECT_EQ(app->Range("A1")->CopyFromRecordset(*result, std::nullopt, std::nullopt, &report), 3);
  EXPECT_EQ(std::get<double>(at("A3")), 3);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("B1")));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("B3")));
  EXPECT_EQ(report.changes, (std::vector<ColumnChange>{{"data", CellChange::BinaryLeftBlank, 2}}));
}

TEST_F(CopyFidelity, DatesBeforeMarch1900AreKeptAsIsoText) {
  auto result = connection.Execute("SELECT born, seen, at FROM f ORDER BY id");
  app->Range("A1")->CopyFromRecordset(*result);
  EXPECT_EQ(std::get<std::string>(at("A1")), "1899-07-14");
  EXPECT_EQ(std::get<std::string>(at("B1")), "1900-02-28 10:00:00");
  EXPECT_EQ(formatOf("A1"), "General") << "a date kept as text takes no date format";
  EXPECT_EQ(std::get<DateTime>(at("A2")).serial, 61) << "1 March 1900 is the first date kept as a date";
  EXPECT_EQ(std::get<DateTime>(at("B2")).serial, 61);
  // Times of day have no date to show wrongly.
  EXPECT_NEAR(std::get<DateTime>(at("C1")).serial, 8.0 / 24, 1e-9);
  EXPECT_EQ(std::get<DateTime>(at("C2")).serial, 0);
}

TEST_F(CopyFidelity, NumbersThatAreNotFiniteAreKeptAsText) {
  auto result = connection.Execute("SELECT ratio FROM f ORDER BY id");
  app->Range("A1")->CopyFromRecordset(*result);
  EXPECT_EQ(std::get<std::string>(at("A1")), "Infinity");
  EXPECT_EQ(std::get<std::string>(at("A2")), "-Infinity");
  EXPECT_EQ(std::get<double>(at("A3")), 2.5);
}

TEST_F(CopyFromRecordsetTest, ACopyThatChangesNothingReportsNothing) {
  auto result = connection.Execute("SELECT * FROM t ORDER BY id");
  CopyReport report{{{"stale", CellChange::TextCut, 1}}};
  app->Range("A1")->CopyFromRecordset(*result, std::nullopt, std::nullopt, &report);
  EXPECT_TRUE(report.empty()) << "the report is replaced, not added to";
}

TEST_F(CopyFromRecordsetTest, ABlockPastTheGridFailsAndWritesNothing) {
  auto result = connection.Execute("SELECT id FROM t");
  EXPECT_THROW(app->Range("A1048575")->CopyFromRecordset(*result), Failure);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("A1048575")));
  auto wide = connection.Execute("SELECT id, name FROM t");
  EXPECT_THROW(app->Range("XFD1")->CopyFromRecordset(*wide), Failure);
  auto fits = connection.Execute("SELECT id FROM t");
  EXPECT_EQ(app->Range("XFD1048574")->CopyFromRecordset(*fits), 3);
}

TEST_F(CopyFromRecordsetTest, AClosedResultSetIsRefused) {
  auto result = connection.Execute("SELECT id FROM t");
  result->Close();
  EXPECT_THROW(app->Range("A1")->CopyFromRecordset(*result), Failure);
}

TEST_F(CopyFromRecordsetTest, CellFormatsStayAndDatesKeepAnExistingDateFormat) {
  auto sheet = sheetRange(app->Range("A1")).sheet();
  StyleTable& styles = sheet->book()->styles();
  FontStyle bold;
  bold.bold = true;
  CellStyle boldStyle;
  boldStyle.font = styles.addFont(bold);
  auto boldIndex = styles.addStyle(boldStyle);
  sheet->cells().at(1, 1).setStyle(boldIndex);
  CellStyle dmy;
  dmy.numberFormat = styles.addNumberFormat("d/m/yy");
  sheet->cells().at(1, 6).setStyle(styles.addStyle(dmy));
  auto result = connection.Execute("SELECT * FROM t ORDER BY id");
  app->Range("A1")->CopyFromRecordset(*result);
  EXPECT_EQ(sheet->cells().find(1, 1)->style(), boldIndex);
  EXPECT_EQ(formatOf("F1"), "d/m/yy");
  EXPECT_EQ(formatOf("F2"), "yyyy-mm-dd");
}

TEST(CopyFromRecordsetPostgres, WritesPostgresTypesTyped) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  db::Connection connection;
  connection.Open(cs);
  auto result = connection.Execute(
      "SELECT 42::bigint AS i, 2.5::float8 AS d, 12.34::numeric(10,2) AS n, 'Ärger'::text AS s, true AS b, "
      "DATE '2024-03-05' AS day, TIMESTAMP '2024-03-05 13:45:10' AS ts, TIME '08:30:00' AS t, NULL::text AS z");
  auto app = WorkbookApplication::create();
  app->Workbooks()->Add();
  EXPECT_EQ(app->Range("A1")->CopyFromRecordset(*result), 1);
  EXPECT_EQ(std::get<double>(app->Range("A1")->Value()), 42);
  EXPECT_EQ(std::get<double>(app->Range("B1")->Value()), 2.5);
  EXPECT_DOUBLE_EQ(std::get<double>(app->Range("C1")->Value()), 12.34);
  EXPECT_EQ(std::get<std::string>(app->Range("D1")->Value()), "Ärger");
  EXPECT_EQ(std::get<bool>(app->Range("E1")->Value()), true);
  EXPECT_EQ(std::get<DateTime>(app->Range("F1")->Value()).serial, 45356);
  EXPECT_NEAR(std::get<DateTime>(app->Range("G1")->Value()).serial, 45356.573032407, 1e-8);
  EXPECT_NEAR(std::get<DateTime>(app->Range("H1")->Value()).serial, 8.5 / 24, 1e-9);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(app->Range("I1")->Value()));

}

TEST(CopyFromRecordsetPostgres, PostgresValuesNoCellHoldsAreChangedAndReported) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  db::Connection connection;
  connection.Open(cs);
  auto result = connection.Execute(
      "SELECT 'ab'::bytea AS raw, 12345678901234567890.0123::numeric(30,4) AS amount, 'NaN'::numeric AS odd, "
      "'-Infinity'::float8 AS low, repeat('y', 33000) AS long_text, DATE '1850-06-01' AS founded, "
      "TIMESTAMP '1899-12-31 23:00:00' AS eve, 9223372036854775807::bigint AS most");
  auto app = WorkbookApplication::create();
  app->Workbooks()->Add();
  CopyReport report;
  EXPECT_EQ(app->Range("A1")->CopyFromRecordset(*result, std::nullopt, std::nullopt, &report), 1);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(app->Range("A1")->Value()));
  EXPECT_EQ(std::get<std::string>(app->Range("B1")->Value()), "12345678901234567890.0123");
  EXPECT_EQ(std::get<std::string>(app->Range("C1")->Value()), "NaN");
  EXPECT_EQ(std::get<std::string>(app->Range("D1")->Value()), "-Infinity");
  EXPECT_EQ(std::get<std::string>(app->Range("E1")->Value()).size(), 32767u);
  EXPECT_EQ(std::get<std::string>(app->Range("F1")->Value()), "1850-06-01");
  EXPECT_EQ(std::get<std::string>(app->Range("G1")->Value()), "1899-12-31 23:00:00");
  EXPECT_EQ(std::get<std::string>(app->Range("H1")->Value()), "9223372036854775807");
  EXPECT_EQ(report.changes, (std::vector<ColumnChange>{{"raw", CellChange::BinaryLeftBlank, 1},
                                                       {"amount", CellChange::NumberAsText, 1},
                                                       {"odd", CellChange::NumberAsText, 1},
                                                       {"low", CellChange::NumberAsText, 1},
                                                       {"long_text", CellChange::TextCut, 1},
                                                       {"founded", CellChange::DateAsText, 1},
                                                       {"eve", CellChange::DateAsText, 1},
                                                       {"most", CellChange::NumberAsText, 1}}));
}

}  // namespace
}  // namespace tavrello::host
