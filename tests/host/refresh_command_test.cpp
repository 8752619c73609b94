#include "host/refresh_command.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "platform/db/connection.h"
#include "platform/db/sqlite_writer.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/host/xlsx/book_reader.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

void createPrices(const std::filesystem::path& file, int rows) {
  db::SqliteWriter writer(file);
  writer.exec("CREATE TABLE prices(item TEXT, price REAL)");
  writer.prepare("INSERT INTO prices VALUES (?, ?)");
  for (int i = 1; i <= rows; ++i) {
    writer.bind(1, std::string_view("item " + std::to_string(i)));
    writer.bind(2, i * 1.5);
    writer.insertRow();
  }
  writer.commit();
}

class RefreshCommandTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::ostringstream out, err;
  std::optional<std::string> typed;  // what the "terminal" answers
  std::vector<std::string> prompts;
  ScopedEnv noPassword{"TAVRELLO_PASSWORD", std::nullopt};

  RefreshIo io() {
    return {out, err, [this](const std::string& prompt) {
              prompts.push_back(prompt);
              return typed;
            }};
  }

  // A saved workbook with one query table over `connection`, refreshed
  // once from `rows` rows of the prices table.
  std::filesystem::path workbookWith(const std::string& connection, bool refreshNow = true) {
    auto app = WorkbookApplication::create();
    auto book = app->addBook();
    auto sheet = book->sheets()[0];
    auto table = sheet->QueryTables()->Add(connection, sheet->Range("B2"), std::string("SELECT * FROM prices"));
    table->Name("Prices");
    if (refreshNow) table->Refresh(false);
    else std::dynamic_pointer_cast<SheetQueryTable>(table)->setResult({2, 2, 3, 3});
    std::filesystem::path file = dir / "book.xlsx";
    book->SaveAs(file.string());
    return file;
  }

  std::shared_ptr<Book> reopen(const std::filesystem::path& file) {
    static auto app = WorkbookApplication::create();
    return xlsx::readBook(*app, file);
  }
};

TEST_F(RefreshCommandTest, EveryQueryTableIsRefreshedAndTheWorkbookSaved) {
  createPrices(dir / "prices.db", 2);
  auto file = workbookWith("OLEDB;Provider=SQLite;Data Source=" + (dir / "prices.db").string());
  std::filesystem::remove(dir / "prices.db");
  createPrices(dir / "prices.db", 5);

  EXPECT_EQ(runRefresh({file.string()}, io()), 0) << err.str();
  EXPECT_NE(out.str().find("Refreshed the query table 'Prices' on sheet 'Sheet1': 5 rows."), std::string::npos);
  auto book = reopen(file);
  auto sheet = book->sheets()[0];
  EXPECT_EQ(sheet->value(7, 2), CellValue(std::string("item 5")));
  EXPECT_EQ(sheet->queryTables()[0]->result(), (CellRect{2, 2, 7, 3}));
}

TEST_F(RefreshCommandTest, OutputGoesToAnotherFileAndLeavesTheWorkbookAsItWas) {
  createPrices(dir / "prices.db", 2);
  auto file = workbookWith("OLEDB;Provider=SQLite;Data Source=" + (dir / "prices.db").string());
  const std::string before = testing::readFile(file);
  EXPECT_EQ(runRefresh({file.string(), "--output", (dir / "copy.xlsx").string()}, io()), 0) << err.str();
  EXPECT_EQ(testing::readFile(file), before);
  EXPECT_EQ(reopen(dir / "copy.xlsx")->sheets()[0]->value(4, 2), CellValue(std::string("item 2")));
}

TEST_F(RefreshCommandTest, ADriverNamedByTheWorkbookIsRefusedAndNothingSaved) {
  auto file = workbookWith("ODBC;Driver=/tmp/evil-driver.so;Database=x", false);
  const std::string before = testing::readFile(file);
  EXPECT_EQ(runRefresh({file.string(), "--output", (dir / "out.xlsx").string()}, io()), 1);
  EXPECT_NE(err.str().find("Refused the query table 'Prices' on sheet 'Sheet1': it names its ODBC driver by a file "
                           "path ('/tmp/evil-driver.so')"),
            std::string::npos)
      << err.str();
  EXPECT_NE(err.str().find("nothing was saved"), std::string::npos);
  EXPECT_EQ(testing::readFile(file), before);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
}

TEST_F(RefreshCommandTest, TrustLetsTheConnectionThroughToTheDatabaseLayer) {
  auto file = workbookWith("ODBC;Driver=/nonexistent/driver.so;Database=x", false);
  EXPECT_EQ(runRefresh({file.string(), "--trust"}, io()), 1);
  EXPECT_EQ(err.str().find("Refused"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("could not be refreshed"), std::string::npos) << err.str();
}

TEST_F(RefreshCommandTest, AnUnsavedPasswordComesFromTheEnvironmentAndIsNotStored) {
  createPrices(dir / "prices.db", 3);
  auto file = workbookWith("ODBC;Driver=SQLite3;Database=" + (dir / "prices.db").string() + ";UID=app;PWD=first",
                           false);
  ScopedEnv password("TAVRELLO_PASSWORD", "env-s3cret");
  int status = runRefresh({file.string()}, io());
  if (status != 0 && err.str().find("Can't open lib") != std::string::npos)
    GTEST_SKIP() << "the SQLite ODBC driver is not installed: " << err.str();
  ASSERT_EQ(status, 0) << err.str();
  EXPECT_TRUE(prompts.empty());
  std::string bytes = testing::readFile(file);
  EXPECT_EQ(bytes.find("env-s3cret"), std::string::npos);
  EXPECT_EQ(bytes.find("first"), std::string::npos);
  EXPECT_EQ(reopen(file)->sheets()[0]->value(5, 2), CellValue(std::string("item 3")));
}

TEST_F(RefreshCommandTest, WithoutTheEnvironmentThePasswordIsAskedOnTheTerminal) {
  createPrices(dir / "prices.db", 1);
  auto file = workbookWith("ODBC;Driver=SQLite3;Database=" + (dir / "prices.db").string() + ";UID=app", false);
  typed = "typed-pw";
  int status = runRefresh({file.string()}, io());
  if (status != 0 && err.str().find("Can't open lib") != std::string::npos)
    GTEST_SKIP() << "the SQLite ODBC driver is not installed: " << err.str();
  EXPECT_EQ(status, 0) << err.str();
  ASSERT_EQ(prompts.size(), 1u);
  EXPECT_EQ(prompts[0], "Password for the query table 'Prices' on sheet 'Sheet1': ");
}

TEST_F(RefreshCommandTest, WithNeitherEnvironmentNorTerminalTheTableIsNotRefreshed) {
  auto file = workbookWith("ODBC;DSN=Sales;UID=app", false);
  typed.reset();
  EXPECT_EQ(runRefresh({file.string()}, io()), 1);
  EXPECT_NE(err.str().find("needs a password, which was not saved with the workbook: set TAVRELLO_PASSWORD"),
            std::string::npos)
      << err.str();
}

TEST_F(RefreshCommandTest, APasswordOnTheCommandLineIsRefused) {
  EXPECT_EQ(runRefresh({"book.xlsx", "--password=x"}, io()), 2);
  EXPECT_NE(err.str().find("never taken from the command line"), std::string::npos);
  EXPECT_EQ(runRefresh({}, io()), 2);
  EXPECT_EQ(runRefresh({"a.xlsx", "b.xlsx"}, io()), 2);
  EXPECT_EQ(runRefresh({"a.xlsx", "--output"}, io()), 2);
}

TEST_F(RefreshCommandTest, AWorkbookThatCannotBeOpenedSaysWhy) {
  EXPECT_EQ(runRefresh({(dir / "missing.xlsx").string()}, io()), 1);
  EXPECT_NE(err.str().find("missing.xlsx"), std::string::npos);
}

TEST_F(RefreshCommandTest, AWorkbookWithPartsTheHostDoesNotKeepIsNotSavedOverItself) {
  std::filesystem::path sample = testing::xlsxTestData() / "samples" / "poi_dataValidationTableRange.xlsx";
  std::filesystem::copy_file(sample, dir / "charts.xlsx");
  const std::string before = testing::readFile(dir / "charts.xlsx");
  EXPECT_EQ(runRefresh({(dir / "charts.xlsx").string()}, io()), 1);
  EXPECT_NE(err.str().find("would lose the parts listed above; nothing was refreshed"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("Not kept from the file: charts"), std::string::npos) << err.str();
  EXPECT_EQ(testing::readFile(dir / "charts.xlsx"), before);
}

// A command text whose _x0000_ decodes to a NUL made the refresh spin for
// ever in the SQLite provider.
TEST_F(RefreshCommandTest, ACommandTextWithANulFailsClearlyAndNothingIsSaved) {
  std::filesystem::copy_file(testing::hostileTestData() / "workbooks" / "nul_in_command_text.xlsx", dir / "nul.xlsx");
  const std::string before = testing::readFile(dir / "nul.xlsx");
  EXPECT_EQ(runRefresh({(dir / "nul.xlsx").string()}, io()), 1);
  EXPECT_NE(err.str().find("The query table 'Q' on sheet 'S' could not be refreshed: The statement holds a NUL "
                           "character (at byte 9)"),
            std::string::npos)
      << err.str();
  EXPECT_EQ(testing::readFile(dir / "nul.xlsx"), before);
}

// Whether this process has a SIGINT handler of its own.
bool catchesInterrupt() {
  struct sigaction now {};
  sigaction(SIGINT, nullptr, &now);
  return now.sa_handler != SIG_DFL && now.sa_handler != SIG_IGN;
}

TEST_F(RefreshCommandTest, CtrlCStopsTheStatementExitsWith130AndSavesNothing) {
  createPrices(dir / "prices.db", 2);
  auto app = WorkbookApplication::create();
  auto book = app->addBook();
  auto sheet = book->sheets()[0];
  auto table = sheet->QueryTables()->Add(
      "OLEDB;Provider=SQLite;Data Source=" + (dir / "prices.db").string(), sheet->Range("B2"),
      std::string("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 4000000000) "
                  "SELECT count(*) FROM k"));
  table->Name("Endless");
  std::dynamic_pointer_cast<SheetQueryTable>(table)->setResult({2, 2, 3, 3});
  const auto file = dir / "endless.xlsx";
  book->SaveAs(file.string());
  const std::string before = testing::readFile(file);

  // The Ctrl-C comes once the command listens for it and its statement runs.
  ASSERT_FALSE(catchesInterrupt());
  std::atomic<bool> ended{false};
  std::thread user([&ended] {
    for (int i = 0; i < 600 && !ended.load() && !catchesInterrupt(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (!ended.load() && catchesInterrupt()) kill(getpid(), SIGINT);
  });
  const int status = runRefresh({file.string()}, io());
  ended.store(true);
  user.join();
  EXPECT_EQ(status, 130) << err.str();
  EXPECT_EQ(err.str(), "tavrello refresh: cancelled; nothing was saved.\n");
  EXPECT_EQ(testing::readFile(file), before);
  EXPECT_FALSE(catchesInterrupt()) << "the command put the earlier handling back";
}

// Names from the workbook and the database's message were printed raw, so
// a workbook could clear the screen or set the terminal's title.
TEST_F(RefreshCommandTest, ControlCharactersFromTheWorkbookAreShownEscaped) {
  std::filesystem::copy_file(testing::hostileTestData() / "workbooks" / "terminal_escapes.xlsx", dir / "esc.xlsx");
  EXPECT_EQ(runRefresh({(dir / "esc.xlsx").string()}, io()), 1);
  const std::string printed = out.str() + err.str();
  EXPECT_EQ(printed.find('\x1b'), std::string::npos) << printed;
  EXPECT_EQ(printed.find('\x07'), std::string::npos) << printed;
  EXPECT_NE(printed.find("The query table 'Q\\x1b[31mred\\x1b]0;owned\\x07' on sheet 'S' could not be refreshed"),
            std::string::npos)
      << printed;
  EXPECT_NE(printed.find("unrecognized token: \"\\x1b\""), std::string::npos) << "the database's message: " << printed;
}

TEST_F(RefreshCommandTest, AWorkbookWithoutQueryTablesIsLeftAlone) {
  auto app = WorkbookApplication::create();
  auto book = app->addBook();
  book->SaveAs((dir / "plain.xlsx").string());
  const std::string before = testing::readFile(dir / "plain.xlsx");
  EXPECT_EQ(runRefresh({(dir / "plain.xlsx").string()}, io()), 0);
  EXPECT_NE(out.str().find("no query tables to refresh; it was not saved"), std::string::npos);
  EXPECT_EQ(testing::readFile(dir / "plain.xlsx"), before);
}

}  // namespace
}  // namespace tavrello::host
