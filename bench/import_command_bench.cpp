// `tavrello import` of the whole orders table, as a user runs it from a shell.
//
//   import_command_bench [--rows N] [--dir DIR] [--runs K]
//
// Registers the add-in into a fresh home under DIR (`tavrello register`),
// adds a connection "Orders" to the bench's orders database (`tavrello
// connection add`), then times
//   tavrello import --connection Orders --sql "SELECT * FROM orders"
//       --headers --output DIR/command.xlsx
// as a whole process, its peak resident set taken from the kernel, against
// `sqlite3 -csv -header` of the same query into a file and the libxlsxwriter
// constant-memory program, all in this run, best of K (3 unless told). Prints
// the figures and the four ratios the import is held to.

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/bench_measure.h"
#include "common/bench_options.h"
#include "common/orders_fixture.h"
#include "common/orders_references.h"

namespace {

using namespace tavrello;
namespace fs = std::filesystem;

// Points the host program's home and data folders into `home`, emptied.
void useFreshHome(const fs::path& home) {
  fs::remove_all(home);
  fs::create_directories(home / "data");
  fs::create_directories(home / "config");
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
}

bool runQuiet(const std::string& command) {
  const bench::Measurement m = bench::measureCommand(command + " > /dev/null");
  if (!m.ok) std::printf("%s\n", m.failure.c_str());
  return m.ok;
}

}  // namespace

int main(int argc, char** argv) {
  const bench::OrdersOptions options = bench::parseOrdersOptions(argc, argv, "import_command_bench");
  const fs::path folder = fs::absolute(fs::path(argv[0])).parent_path();
  const std::string tavrello = bench::shellQuote((folder / "tavrello").string());
  const fs::path database = bench::ensureOrdersDatabase(options.dir, options.rows);
  const fs::path out = options.dir / "command.xlsx";

  useFreshHome(options.dir / "home");
  if (!runQuiet(tavrello + " register") ||
      !runQuiet(tavrello + " connection add Orders " +
                bench::shellQuote("Provider=SQLite;Data Source=" + database.string() + ";Mode=Read")))
    return 1;

  std::printf("import_command_bench: %lld orders x 10 columns, %d run(s) each, best time kept\n",
              static_cast<long long>(options.rows), options.runs);
  const bench::Measurement import = bench::bestOf(options.runs, [&] {
    fs::remove(out);
    return bench::measureCommand(tavrello + " import --connection Orders --sql 'SELECT * FROM orders' --headers " +
                                 "--output " + bench::shellQuote(out.string()));
  });
  if (!import.ok) {
    std::printf("tavrello import failed: %s\n", import.failure.c_str());
    return 1;
  }
  const bench::OrdersReferences references =
      bench::measureOrdersReferences(database, options.dir, folder / "xlsxwriter_orders", options.runs);
  if (!references.csv.ok || !references.writer.ok) {
    std::printf("a reference failed: %s\n", (references.csv.ok ? references.writer : references.csv).failure.c_str());
    return 1;
  }
  const double fileBytes = static_cast<double>(fs::file_size(out));
  std::printf("\n%-34s %10s %12s %12s\n", "", "wall s", "peak RSS MB", "file MB");
  std::printf("%-34s %10.2f %12.1f %12.1f\n", "tavrello import (whole process)", import.seconds,
              import.peakRssKiB * 1024.0 / 1e6, fileBytes / 1e6);
  bench::printImportGoals(import.seconds, import.peakRssKiB, fileBytes, references);
  return 0;
}
