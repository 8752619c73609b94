// The import end to end, against sqlite3's CSV and the fastest .xlsx writer measured here.
//
//   xlsx_import_bench [--rows N] [--dir DIR] [--runs K]
//
// Import: open the orders SQLite database (1,048,575 rows by 10 columns),
// Execute "SELECT * FROM orders", CopyFromRecordset at A2 with the field
// names as a heading row above, SaveAs an .xlsx file - in a child process,
// timed stage by stage, its peak resident set measured by the kernel.
// Comparison, in the same run and best of --runs: `sqlite3 -csv -header` of
// the same query into a file, and the same data written by a small C program
// with libxlsxwriter in constant-memory mode (bench/xlsxwriter_orders.c),
// each timed as a whole process. Prints wall time, peak RSS and file size of
// all three and the four ratios the import is held to (see
// common/orders_references.h). The add-in lets the copy give back the result
// set's rows as it places them, and so does this import. The resident set
// after each stage, and the peak of the save alone (the kernel's high-water
// mark reset after the result set is closed, as the add-in closes it), show
// where the memory goes.

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/bench_measure.h"
#include "common/bench_options.h"
#include "common/orders_fixture.h"
#include "common/orders_references.h"
#include "platform/db/connection.h"
#include "platform/db/orders_generator.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/workbook_application.h"

namespace {

using namespace tavrello;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct ImportRun {
  bool ok = false;
  std::string failure;
  double execute = 0, copy = 0, save = 0, total = 0;
  long peakKiB = 0;
  long resultKiB = 0;     // resident after Execute: the result set
  long copiedKiB = 0;     // resident after the copy: result set and cells
  long savePeakKiB = 0;   // peak while saving, the result set closed
};

// The import, as the add-in drives the host: the whole result in one
// CopyFromRecordset, the headings one cell per field, then SaveAs.
std::string importOnce(const fs::path& database, const fs::path& out) {
  const auto start = Clock::now();
  db::Connection connection;
  connection.Open("Provider=SQLite;Data Source=" + database.string() + ";Mode=Read");
  connection.CursorLocation(3);
  auto result = connection.Execute("SELECT * FROM orders");
  const double execute = since(start);
  const long resultKiB = bench::statusKiB("VmRSS");

  auto t = Clock::now();
  auto app = host::WorkbookApplication::create();
  auto book = app->addBook();
  result->ReleaseRowsWhenCopied(true);
  app->Range("A2")->CopyFromRecordset(*result);
  for (long i = 0; i < result->fields().Count(); ++i)
    app->Range("A1")->Offset(0, static_cast<std::int32_t>(i))->Value(result->fields().Item(i).Name());
  const double copy = since(t);
  const long copiedKiB = bench::statusKiB("VmRSS");
  // As the add-in does once the rows are in the sheet.
  result->Close();
  result.reset();
  connection.Close();

  // The peak of the save alone: the kernel's high-water mark restarts here
  // (which also hides the earlier peak from wait4, so it is sent along).
  const long peakBeforeSaveKiB = bench::statusKiB("VmHWM");
  std::ofstream("/proc/self/clear_refs") << "5";
  t = Clock::now();
  book->SaveAs(out.string());
  const double save = since(t);
  std::ostringstream line;
  line << "ok " << execute << ' ' << copy << ' ' << save << ' ' << since(start) << ' ' << resultKiB << ' '
       << copiedKiB << ' ' << bench::statusKiB("VmHWM") << ' ' << peakBeforeSaveKiB;
  return line.str();
}

ImportRun importInChild(const fs::path& database, const fs::path& out) {
  ImportRun run;
  const bench::ChildReport child = bench::runInChild([&] { return importOnce(database, out); });
  const std::string& text = child.text;
  const int status = child.status;
  run.peakKiB = child.peakRssKiB;
  std::istringstream in(text);
  std::string word;
  in >> word;
  if (word != "ok") {
    run.failure = text.empty() ? "the import died (status " + std::to_string(status) + ")" : text;
    return run;
  }
  long peakBeforeSaveKiB = 0;
  in >> run.execute >> run.copy >> run.save >> run.total >> run.resultKiB >> run.copiedKiB >> run.savePeakKiB >>
      peakBeforeSaveKiB;
  run.peakKiB = std::max(run.peakKiB, peakBeforeSaveKiB);
  run.ok = true;
  return run;
}

// The bytes of the orders as a CSV file with a heading line.
std::uint64_t csvBytes(std::int64_t rows) {
  std::uint64_t bytes = std::string("id,customer_id,customer_name,city,product_code,amount,quantity,order_date,"
                                    "shipped_at,note\n").size();
  auto text = [](std::string_view s) {
    std::size_t quotes = 0;
    bool quoted = false;
    for (char c : s) {
      if (c == '"') ++quotes;
      if (c == '"' || c == ',' || c == '\n') quoted = true;
    }
    return s.size() + quotes + (quoted ? 2 : 0);
  };
  char number[32];
  db::generateOrders(rows, [&](const db::OrderRow& o) {
    auto length = [&](auto value) {
      return static_cast<std::size_t>(std::to_chars(number, number + sizeof number, value).ptr - number);
    };
    bytes += length(o.id) + length(o.customerId) + text(o.customerName) + text(o.city) + text(o.productCode) +
             length(o.amount) + length(o.quantity) + o.orderDate.size() + o.shippedAt.size() +
             (o.note ? text(*o.note) : 0) + 10;  // nine commas and the line end
  });
  return bytes;
}

double mb(double bytes) { return bytes / 1e6; }
double mbOfKiB(long kib) { return mb(kib * 1024.0); }

}  // namespace

int main(int argc, char** argv) {
  bench::OrdersOptions defaults;
  defaults.runs = 1;  // one import run already takes long; --runs asks for more
  const bench::OrdersOptions options = bench::parseOrdersOptions(argc, argv, "xlsx_import_bench", defaults);
  // The libxlsxwriter program is built beside this one.
  const fs::path writerProgram = fs::path(argv[0]).parent_path() / "xlsxwriter_orders";
  fs::path database = bench::ensureOrdersDatabase(options.dir, options.rows);
  const fs::path ours = options.dir / "import.xlsx";

  std::printf("xlsx_import_bench: %lld orders x 10 columns, %d run(s) each, best time kept\n",
              static_cast<long long>(options.rows), options.runs);
  ImportRun best;
  for (int i = 0; i < options.runs; ++i) {
    ImportRun run = importInChild(database, ours);
    if (!run.ok) {
      std::printf("import failed: %s\n", run.failure.c_str());
      return 1;
    }
    long peak = std::max(best.peakKiB, run.peakKiB);
    if (!best.ok || run.total < best.total) best = run;
    best.peakKiB = peak;
  }
  const bench::OrdersReferences references = bench::measureOrdersReferences(database, options.dir, writerProgram,
                                                                           options.runs);
  if (!references.csv.ok || !references.writer.ok) {
    std::printf("a reference failed: %s\n", (references.csv.ok ? references.writer : references.csv).failure.c_str());
    return 1;
  }
  const double ourSize = static_cast<double>(fs::file_size(ours));
  const double csv = static_cast<double>(csvBytes(options.rows));

  std::printf("\n%-34s %10s %12s %12s\n", "", "wall s", "peak RSS MB", "file MB");
  std::printf("%-34s %10.2f %12.1f %12.1f\n", "import (Execute+Copy+SaveAs)", best.total, mbOfKiB(best.peakKiB),
              mb(ourSize));
  std::printf("%-34s %10.2f %12.1f  (resident after it: the result set)\n", "  Execute (materialise)", best.execute,
              mbOfKiB(best.resultKiB));
  std::printf("%-34s %10.2f %12.1f  (resident after it: cells, the result given back)\n",
              "  CopyFromRecordset + headings", best.copy, mbOfKiB(best.copiedKiB));
  std::printf("%-34s %10.2f %12.1f  (peak while saving, result set closed)\n", "  SaveAs", best.save,
              mbOfKiB(best.savePeakKiB));
  bench::printImportGoals(best.total, best.peakKiB, ourSize, references);
  std::printf("%-44s %6.2f   (LF line ends, %.1f MB)\n", "peak RSS / CSV size as generated", best.peakKiB * 1024.0 / csv,
              mb(csv));
  std::printf("%-44s %6.2f\n", "SaveAs peak RSS / CSV file size", best.savePeakKiB * 1024.0 / references.csvBytes);
  return 0;
}
