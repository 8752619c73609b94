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

TEST_F(CopyFromRecordsetTest, BinaryFieldsFailBeforeAnythingIsWritten) {
  connection.Execute("CREATE TABLE b (id INTEGER, data BLOB); INSERT INTO b VALUES (1, x'00ff');");
  auto result = connection.Execute("SELECT id, data FROM b");
  try {
    app->Range("A1")->CopyFromRecordset(*result);
    ADD_FAILURE() << "binary data was copied";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 1004);
    EXPECT_NE(failure.description().find("data"), std::string::npos);
  }
  EXPECT_TRUE(std::holds_alternative<std::monostate>(at("A1")));
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

  auto binary = connection.Execute("SELECT 'ab'::bytea AS raw");
  EXPECT_THROW(app->Range("A3")->CopyFromRecordset(*binary), Failure);
}

}  // namespace
}  // namespace tavrello::host
