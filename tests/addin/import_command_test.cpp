// `tavrello import` as a shell user runs it: the built host program loads
// the registered add-in and works its query window; every box it shows is
// one line on standard error, and the workbook is saved only when the
// import completed.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "addin_fixture.h"
#include "platform/db/connection.h"
#include "platform/db/db_test_support.h"
#include "platform/host/xlsx/package_checks.h"
#include "profiles/settings_format.h"
#include "support_lib/host_run.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using testing::HostRun;
using testing::runHost;
using testing::xlsx::readersRequired;

class ImportCommand : public testing::AddinFixture {
 protected:
  void SetUp() override {
    std::ostringstream out;
    host::registerTavrello(host::programFolder(), out);
    shop_ = capture_.dataFolder() / "shop.db";
    testing::writeFile(shop_, "");
    execute("CREATE TABLE people (ID INTEGER, NAME TEXT, CITY TEXT);"
            "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 10) "
            "INSERT INTO people SELECT i, 'Name ' || i, 'City ' || i FROM k;");
    saveConnections({{"Shop", "Provider=SQLite;Data Source=" + shop_.string() + ";"}});
  }

  void execute(const std::string& statements) {
    db::Connection connection;
    connection.Open("Provider=SQLite;Data Source=" + shop_.string() + ";");
    connection.Execute(statements);
  }

  void saveConnections(const std::vector<ConnectionProfile>& rows) {
    testing::writeFile(capture_.settingsFile(), formatSettingsFile(rows));
  }

  HostRun run(std::vector<std::string> arguments) { return runHost(arguments, scratch_.path()); }
  fs::path out(const std::string& name) const { return scratch_ / name; }

  // What openpyxl reads from a saved workbook with `script`.
  std::string openpyxl(const fs::path& file, const std::string& script) {
    auto python = testing::xlsx::openpyxlPython();
    if (!python) {
      if (readersRequired()) ADD_FAILURE() << "TAVRELLO_REQUIRE_READERS=1 but openpyxl is not installed";
      return "<no openpyxl>";
    }
    auto result = testing::xlsx::runOpenpyxl(*python, file, script);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return result.output;
  }

  fs::path shop_;
  testing::TempDir scratch_;
};

TEST_F(ImportCommand, PastesTheRowsWhereAskedAndSavesAValidWorkbook) {
  const HostRun imported = run({"import", "--connection", "Shop", "--sql", "SELECT ID, NAME, CITY FROM people ORDER BY ID",
                                "--cell", "C5", "--headers", "--format", "grey and white", "--autofilter", "--output",
                                out("people.xlsx").string()});
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.err, "") << "no message box";
  ASSERT_TRUE(fs::exists(out("people.xlsx")));

  testing::xlsx::Schemas schemas;
  if (!schemas.missing().empty()) TAVRELLO_SKIP_WITHOUT(schemas.missing());
  testing::TempDir unpacked;
  testing::xlsx::unpack(out("people.xlsx"), unpacked.path());
  schemas.validatePackage(unpacked.path());
  EXPECT_EQ(openpyxl(out("people.xlsx"), R"(
ws = wb.active
print(ws['C5'].value, ws['D5'].value, ws['E5'].value, ws['C6'].value, ws['E15'].value, ws['C16'].value)
print(ws.auto_filter.ref, ws['C5'].fill.fgColor.rgb)
)"),
            "ID NAME CITY 1 City 10 None\nC5:E15 FF808080\n");
}

// The arguments of an import whose statement runs for ever, selecting `what`.
std::vector<std::string> endlessImport(const std::string& program, const std::string& what, const fs::path& output) {
  return {program, "import", "--connection", "Shop", "--sql",
          "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 4000000000) SELECT " + what +
              " FROM k",
          "--output", output.string()};
}

// An argv for exec over `args`, which must outlive it.
std::vector<char*> argvOf(std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return argv;
}

// Whether process `pid` has a handler of its own for SIGINT (its
// /proc status lists SIGINT among the caught signals).
bool catchesInterrupt(pid_t pid) {
  const std::string status = testing::readFile("/proc/" + std::to_string(pid) + "/status");
  const std::size_t at = status.find("SigCgt:");
  if (at == std::string::npos) return false;
  return (std::stoull(status.substr(at + 7), nullptr, 16) >> (SIGINT - 1) & 1u) != 0;
}

TEST_F(ImportCommand, CtrlCStopsTheStatementExitsWith130AndSavesNothing) {
  const fs::path output = out("endless.xlsx");
  testing::writeFile(output, "the earlier file");
  const std::string program = (host::programFolder() / "tavrello").string();
  std::vector<std::string> args = endlessImport(program, "count(*)", output);
  const std::vector<char*> argv = argvOf(args);
  const std::string err = (scratch_ / "err.txt").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  // The statement counts for minutes; the Ctrl-C goes once the command listens for it.
  for (int i = 0; i < 600 && !catchesInterrupt(pid); ++i) usleep(50000);
  usleep(300000);
  kill(pid, SIGINT);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
  EXPECT_EQ(WEXITSTATUS(status), 130) << testing::readFile(err);
  EXPECT_EQ(testing::readFile(err), "tavrello import: cancelled; nothing was saved.\n");
  EXPECT_EQ(testing::readFile(output), "the earlier file");
  const std::string log = capture_.log();
  EXPECT_NE(log.find("Error 18: UserCancel"), std::string::npos) << log;
}

// Appends what the terminal's other end shows to `shown` until `until`
// appears or, with an empty `until`, the program has closed it; at most 30 s.
void readTerminal(int master, std::string& shown, const std::string& until) {
  char buffer[4096];
  for (int i = 0; i < 300 && (until.empty() || shown.find(until) == std::string::npos); ++i) {
    pollfd ready{master, POLLIN, 0};
    if (poll(&ready, 1, 100) <= 0) continue;
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n <= 0) return;  // EIO once the program has gone
    shown.append(buffer, static_cast<std::size_t>(n));
  }
}

TEST_F(ImportCommand, OnATerminalAProgressLineShowsTheRowsAndTheTerminalsCtrlCCancels) {
  const fs::path output = out("endless.xlsx");
  testing::writeFile(output, "the earlier file");
  const std::string program = (host::programFolder() / "tavrello").string();
  std::vector<std::string> args = endlessImport(program, "i", output);
  const std::vector<char*> argv = argvOf(args);
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  std::string shown;
  readTerminal(master, shown, "rows read");
  const char ctrlC = 3;  // as typed: the terminal sends the program SIGINT
  EXPECT_EQ(write(master, &ctrlC, 1), 1);
  readTerminal(master, shown, "");
  close(master);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
  EXPECT_EQ(WEXITSTATUS(status), 130) << shown;
  EXPECT_NE(shown.find("\rtavrello import: "), std::string::npos) << shown;
  EXPECT_NE(shown.find(" rows read, "), std::string::npos) << shown;
  EXPECT_NE(shown.find(" s, Ctrl-C cancels\033[K"), std::string::npos) << shown;
  // The line is wiped before the last word; the terminal ends lines with CR LF.
  const std::string last = "\r\033[Ktavrello import: cancelled; nothing was saved.\r\n";
  EXPECT_TRUE(shown.size() >= last.size() && shown.compare(shown.size() - last.size(), last.size(), last) == 0)
      << shown;
  EXPECT_EQ(testing::readFile(output), "the earlier file");
}

TEST_F(ImportCommand, ARefusalIsPrintedAndNothingIsSaved) {
  execute("CREATE TABLE numbers (n INTEGER); WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i "
          "< 65536) INSERT INTO numbers SELECT i FROM k;");
  const HostRun refused = run({"--host-version", "11.0", "import", "--connection", "Shop", "--sql",
                               "SELECT n FROM numbers", "--output", out("numbers.xlsx").string()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err,
            "Information: Tavrello: Not able to import the data as there are more than 65535 records\n"
            "tavrello import: the import did not complete; nothing was saved.\n");
  EXPECT_FALSE(fs::exists(out("numbers.xlsx")));

  const HostRun fits = run({"--host-version", "11.0", "import", "--connection", "Shop", "--sql",
                            "SELECT n FROM numbers WHERE n < 65536", "--output", out("numbers.xlsx").string()});
  EXPECT_EQ(fits.status, 0) << fits.err;
  EXPECT_EQ(openpyxl(out("numbers.xlsx"), "ws = wb.active\nprint(ws.max_row, ws['A65535'].value)\n"),
            "65535 65535\n")
      << "without --headers the rows start at A1";
}

TEST_F(ImportCommand, ArgumentsItCannotReadExitWithTwoAndTouchNothing) {
  const std::vector<std::vector<std::string>> bad = {
      {"import", "--connection", "Shop", "--output", out("x.xlsx").string()},
      {"import", "--connection", "Shop", "--sql", "SELECT 1", "--output", out("x.ods").string()},
      {"--host-version", "eleven", "import", "--connection", "Shop", "--sql", "SELECT 1", "--output",
       out("x.xlsx").string()},
      {"import", "--connection", "Shop", "--sql", "SELECT 1", "--format", "Fancy", "--output", out("x.xlsx").string()},
      {"import", "--connection", "Shop", "--sql", "SELECT 1", "--cell", "ZZZZ1", "--output", out("x.xlsx").string()},
  };
  for (const auto& arguments : bad) {
    const HostRun result = run(arguments);
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_NE(result.err.find("tavrello"), std::string::npos) << result.err;
  }
  EXPECT_FALSE(fs::exists(out("x.xlsx")));
  EXPECT_FALSE(fs::exists(out("x.ods")));
  EXPECT_EQ(capture_.log(), "") << "nothing reached the add-in's error log";
}

TEST_F(ImportCommand, AStatementTheWindowRefusesOrAFailureExitsWithOne) {
  const HostRun unknown = run({"import", "--connection", "Nobody", "--sql", "SELECT 1", "--output",
                               out("x.xlsx").string()});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("There is no saved connection named 'Nobody'"), std::string::npos) << unknown.err;

  const HostRun failed = run({"import", "--connection", "Shop", "--sql", "SELECT missing FROM people", "--output",
                              out("x.xlsx").string()});
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("Critical: Tavrello: "), std::string::npos) << failed.err;
  EXPECT_NE(failed.err.find("(CommandExcel_Click)"), std::string::npos) << failed.err;
  EXPECT_FALSE(fs::exists(out("x.xlsx")));
}

TEST_F(ImportCommand, AnEmbeddedTableIsRefreshedLaterWithoutTheAddin) {
  const HostRun embedded = run({"import", "--connection", "Shop", "--sql", "SELECT ID, NAME, CITY FROM people ORDER BY ID",
                                "--cell", "B2", "--headers", "--embed", "People", "--output",
                                out("linked.xlsx").string()});
  ASSERT_EQ(embedded.status, 0) << embedded.err;
  EXPECT_EQ(embedded.err, "");
  EXPECT_EQ(openpyxl(out("linked.xlsx"), "ws = wb.active\nprint(ws['B2'].value, ws['D12'].value, ws.max_row)\n"),
            "ID City 10 12\n");

  execute("UPDATE people SET CITY = 'Elsewhere' WHERE ID = 10; INSERT INTO people VALUES (11, 'Name 11', 'City 11');");
  const HostRun refreshed = run({"refresh", out("linked.xlsx").string()});
  EXPECT_EQ(refreshed.status, 0) << refreshed.err;
  EXPECT_NE(refreshed.out.find("Refreshed the query table 'People' on sheet 'Sheet1': 11 rows."), std::string::npos)
      << refreshed.out;
  EXPECT_EQ(openpyxl(out("linked.xlsx"), "ws = wb.active\nprint(ws['D12'].value, ws['D13'].value, ws.max_row)\n"),
            "Elsewhere City 11 13\n");
}

TEST_F(ImportCommand, TheBoxesAreSetAsAskedWhateverTheWindowStartsWith) {
  // The window starts with New Workbook, Headers and Auto Filter ticked.
  testing::writeFile(scratch_ / "query.sql", "SELECT ID, NAME FROM people ORDER BY ID\r\n");
  const HostRun plain = run({"import", "--connection", "Shop", "--sql-file", (scratch_ / "query.sql").string(),
                             "--autofilter", "--embed", "Plain", "--output", out("plain.xlsx").string()});
  ASSERT_EQ(plain.status, 0) << plain.err;
  // No heading row; an embedded table's filter also covers the row below it.
  EXPECT_EQ(openpyxl(out("plain.xlsx"), "ws = wb.active\nprint(ws['A1'].value, ws['B10'].value, ws.auto_filter.ref, "
                                        "len(wb.sheetnames))\n"),
            "1 Name 10 A1:B11 1\n");
}

TEST_F(ImportCommand, ANewWorkbookIsSavedWithoutTheWorkbookItWasOpenedBeside) {
  ASSERT_EQ(run({"import", "--connection", "Shop", "--sql", "SELECT 'kept' AS note", "--cell", "D4", "--output",
                 out("first.xlsx").string()})
                .status,
            0);
  const HostRun added = run({"import", "--connection", "Shop", "--sql", "SELECT ID FROM people WHERE ID <= 2",
                             "--workbook", out("first.xlsx").string(), "--cell", "A1", "--output",
                             out("second.xlsx").string()});
  EXPECT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(openpyxl(out("second.xlsx"), "ws = wb.active\nprint(ws['A1'].value, ws['A2'].value, ws['D4'].value)\n"),
            "1 2 kept\n");

  const HostRun fresh = run({"import", "--connection", "Shop", "--sql", "SELECT ID FROM people WHERE ID <= 2",
                             "--workbook", out("first.xlsx").string(), "--new-workbook", "--headers", "--output",
                             out("third.xlsx").string()});
  EXPECT_EQ(fresh.status, 0) << fresh.err;
  EXPECT_EQ(openpyxl(out("third.xlsx"), "ws = wb.active\nprint(ws['A1'].value, ws['A3'].value, ws['D4'].value)\n"),
            "ID 2 None\n");
}

TEST_F(ImportCommand, ChangedValuesArePrintedAndTheImportCompletes) {
  execute("CREATE TABLE files (name TEXT, content BLOB); INSERT INTO files VALUES ('a', x'01');");
  const HostRun imported = run({"import", "--connection", "Shop", "--sql", "SELECT name, content FROM files",
                                "--output", out("files.xlsx").string()});
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.err,
            "Information: Tavrello: Some values could not be placed in the sheet exactly as the database gave them: "
            "| Column \"content\": 1 binary value was left blank: a cell cannot hold binary data.\n");
  EXPECT_TRUE(fs::exists(out("files.xlsx")));
}

TEST_F(ImportCommand, ImportsFromPostgresOverOdbc) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  saveConnections({{"Warehouse", cs}});
  const HostRun imported =
      run({"--host-version", "14.0", "import", "--connection", "Warehouse", "--sql",
           "SELECT g AS n, 'row ' || g AS label FROM generate_series(1, 5) AS g ORDER BY g", "--headers", "--format",
           "Black and Grey", "--output", out("pg.xlsx").string()});
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(openpyxl(out("pg.xlsx"), "ws = wb.active\nprint(ws['A1'].value, ws['B6'].value, ws.max_row)\n"),
            "n row 5 6\n");
}

}  // namespace
}  // namespace tavrello
