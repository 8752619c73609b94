// The PostgreSQL server process dies while a query table's refresh fetches
// its rows: the refresh fails clearly, the sheet and the workbook file keep
// what they had, and the next refresh in the same host works.
#include <gtest/gtest.h>

#include <sstream>

#include "host/refresh_command.h"
#include "platform/db/connection_string.h"
#include "platform/db/db_test_support.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/workbook_application.h"
#include "support_lib/backend_killer.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

using testing::BackendKiller;
using testing::TempDir;

class DyingServerRefresh : public ::testing::Test {
 protected:
  TempDir dir;
  std::shared_ptr<WorkbookApplication> app = WorkbookApplication::create();
  testing::ScopedEnv noPassword{"TAVRELLO_PASSWORD", std::nullopt};
};

TEST_F(DyingServerRefresh, TheTableAndTheSheetKeepTheirRowsAndTheNextRefreshWorks) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  auto book = app->addBook();
  auto sheet = book->sheets()[0];
  auto table = sheet->QueryTables()->Add("ODBC;" + cs, sheet->Range("B2"),
                                         std::string("SELECT g AS n FROM generate_series(1, 3) AS g ORDER BY g"));
  ASSERT_TRUE(table->Refresh(false));
  const CellValue lastRow = sheet->value(5, 2);
  ASSERT_EQ(lastRow, CellValue(3.0));

  table->CommandText(testing::slowStatement("dying-refresh"));
  {
    BackendKiller killer(cs, "dying-refresh");
    try {
      table->Refresh(false);
      ADD_FAILURE() << "the refresh outlived its server process";
    } catch (const Failure& failure) {
      EXPECT_FALSE(failure.description().empty());
    }
    EXPECT_TRUE(killer.killed()) << killer.failure();
  }
  EXPECT_EQ(sheet->value(2, 2), CellValue(std::string("n")));
  EXPECT_EQ(sheet->value(5, 2), lastRow);
  EXPECT_EQ(sheet->value(6, 2), CellValue()) << "no row of the failed fetch reached the sheet";

  table->CommandText(std::string("SELECT g AS n FROM generate_series(1, 4) AS g ORDER BY g"));
  EXPECT_TRUE(table->Refresh(false));
  EXPECT_EQ(sheet->value(6, 2), CellValue(4.0));
}

TEST_F(DyingServerRefresh, TheRefreshCommandSaysSoAndLeavesTheFileAsItWas) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  auto book = app->addBook();
  auto sheet = book->sheets()[0];
  auto table = sheet->QueryTables()->Add("ODBC;" + cs, sheet->Range("B2"), testing::slowStatement("dying-command"));
  table->Name("Slow");
  std::dynamic_pointer_cast<SheetQueryTable>(table)->setResult({2, 2, 3, 3});
  const auto file = dir / "slow.xlsx";
  book->SaveAs(file.string());
  const std::string before = testing::readFile(file);

  std::ostringstream out, err;
  // The saved workbook keeps no password; the "terminal" gives it.
  const std::optional<std::string> password = db::ConnectionString::parse(cs).get("PWD");
  const RefreshIo io{out, err, [&](const std::string&) { return password; }};
  {
    BackendKiller killer(cs, "dying-command");
    EXPECT_EQ(runRefresh({file.string()}, io), 1);
    EXPECT_TRUE(killer.killed()) << killer.failure() << err.str();
  }
  EXPECT_NE(err.str().find("The query table 'Slow' on sheet 'Sheet1' could not be refreshed"), std::string::npos)
      << err.str();
  EXPECT_NE(err.str().find("nothing was saved"), std::string::npos) << err.str();
  EXPECT_TRUE(testing::readFile(file) == before) << "the workbook file was changed";
}

}  // namespace
}  // namespace tavrello::host
