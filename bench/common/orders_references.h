#pragma once

#include <filesystem>

#include "common/bench_measure.h"

namespace tavrello::bench {

// The two programs an import of the orders is measured against, each run as
// a whole process, best of `runs`, with the size of the file it wrote.
struct OrdersReferences {
  Measurement csv;     // sqlite3 -csv -header "SELECT * FROM orders" > FILE
  double csvBytes = 0;
  Measurement writer;  // the libxlsxwriter constant-memory program
  double writerBytes = 0;
};

// Runs both into `dir`; `writerProgram` is bench/xlsxwriter_orders. A
// measurement that failed says why in its failure text.
OrdersReferences measureOrdersReferences(const std::filesystem::path& database, const std::filesystem::path& dir,
                                         const std::filesystem::path& writerProgram, int runs);

// The four figures the import is held to, with met or NOT MET: peak RSS per
// byte of the CSV file, wall time against sqlite3's CSV and against
// libxlsxwriter, and file size against libxlsxwriter's.
void printImportGoals(double seconds, long peakRssKiB, double fileBytes, const OrdersReferences& references);

}  // namespace tavrello::bench
