#include "common/orders_references.h"

#include <cstdio>

#include "common/goal_line.h"

namespace tavrello::bench {

namespace fs = std::filesystem;

OrdersReferences measureOrdersReferences(const fs::path& database, const fs::path& dir, const fs::path& writerProgram,
                                         int runs) {
  OrdersReferences r;
  const fs::path csv = dir / "orders.csv";
  const fs::path xlsx = dir / "libxlsxwriter.xlsx";
  r.csv = bestOf(runs, [&] {
    return measureCommand("sqlite3 -csv -header " + shellQuote(database.string()) + " 'SELECT * FROM orders' > " +
                          shellQuote(csv.string()));
  });
  if (r.csv.ok) r.csvBytes = static_cast<double>(fs::file_size(csv));
  r.writer = bestOf(runs, [&] {
    return measureCommand(shellQuote(writerProgram.string()) + " " + shellQuote(database.string()) + " " +
                          shellQuote(xlsx.string()));
  });
  if (r.writer.ok) r.writerBytes = static_cast<double>(fs::file_size(xlsx));
  return r;
}

void printImportGoals(double seconds, long peakRssKiB, double fileBytes, const OrdersReferences& references) {
  std::printf("%-34s %10.2f %12.1f %12.1f\n", "sqlite3 -csv -header", references.csv.seconds,
              references.csv.peakRssKiB * 1024.0 / 1e6, references.csvBytes / 1e6);
  std::printf("%-34s %10.2f %12.1f %12.1f\n\n", "libxlsxwriter, constant memory", references.writer.seconds,
              references.writer.peakRssKiB * 1024.0 / 1e6, references.writerBytes / 1e6);
  printGoalLine("peak RSS / CSV file size", peakRssKiB * 1024.0 / references.csvBytes, 1.5, 1.2);
  printGoalLine("wall time / sqlite3 -csv time", seconds / references.csv.seconds, 1.5, 1.25);
  printGoalLine("wall time / libxlsxwriter time", seconds / references.writer.seconds, 0.2, 0.15);
  printGoalLine("file size / libxlsxwriter file size", fileBytes / references.writerBytes, 0.95);
}

}  // namespace tavrello::bench
