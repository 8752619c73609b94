// Times Execute("SELECT * FROM orders") to a fully read result set through
// the embedded SQLite provider, the SQLite ODBC driver and PostgreSQL over
// ODBC, against the command-line tools' CSV export of the same rows as floor.
//
//   db_bench [--rows N] [--dir DIR] [--runs K]
//
// Goals: native SQLite within 1.2x of `sqlite3 -csv` and its peak RSS below
// 1.5x the CSV size; PostgreSQL over ODBC within 2x of psql's \copy.

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/bench_measure.h"
#include "common/bench_options.h"
#include "common/orders_fixture.h"
#include "platform/db/connection.h"

namespace {

using namespace tavrello;
using namespace tavrello::bench;
namespace fs = std::filesystem;

// Opens, runs the statement, and checks that every row arrived.
std::function<void()> importAll(const std::string& connectionString, const std::string& sql, std::int64_t rows) {
  return [=] {
    db::Connection cn;
    cn.Open(connectionString);
    cn.CursorLocation(3);
    auto rs = cn.Execute(sql);
    if (rs->RecordCount() != rows) {
      throw Failure(0, "expected " + std::to_string(rows) + " rows, got " + std::to_string(rs->RecordCount()));
    }
  };
}

void printHeader() {
  std::printf("\n%-34s %9s %12s %12s %9s\n", "case", "wall s", "rows/s", "peak RSS MiB", "vs floor");
}

void printRow(const char* name, const Measurement& m, std::int64_t rows, double floorSeconds) {
  if (!m.ok) {
    std::printf("%-34s failed: %s\n", name, m.failure.c_str());
    return;
  }
  std::printf("%-34s %9.3f %12.0f %12.1f", name, m.seconds, static_cast<double>(rows) / m.seconds,
              static_cast<double>(m.peakRssKiB) / 1024.0);
  if (floorSeconds > 0) std::printf(" %8.2fx", m.seconds / floorSeconds);
  std::printf("\n");
}

void verdict(const char* goal, bool met) { std::printf("  goal %-54s %s\n", goal, met ? "met" : "NOT MET"); }

}  // namespace

int main(int argc, char** argv) {
  const OrdersOptions o = parseOrdersOptions(argc, argv, "db_bench");
  const fs::path file = ensureOrdersDatabase(o.dir, o.rows);
  const std::string quotedFile = shellQuote(file.string());
  const std::string sql = "SELECT * FROM orders";

  const fs::path csv = o.dir / "orders.csv";
  const Measurement exported = measureCommand("sqlite3 -csv " + quotedFile + " " + shellQuote(sql) + " > " +
                                              shellQuote(csv.string()));
  if (!exported.ok) {
    std::fprintf(stderr, "sqlite3 could not export the orders: %s\n", exported.failure.c_str());
    return 1;
  }
  const double csvBytes = static_cast<double>(fs::file_size(csv));
  std::printf("orders: %lld rows x 10 columns; CSV %.1f MiB; best of %d runs\n", static_cast<long long>(o.rows),
              csvBytes / 1048576.0, o.runs);

  printHeader();
  const Measurement floor = bestOf(o.runs, [&] {
    return measureCommand("sqlite3 -csv " + quotedFile + " " + shellQuote(sql) + " > /dev/null");
  });
  printRow("floor: sqlite3 -csv > /dev/null", floor, o.rows, 0);
  const Measurement native = bestOf(o.runs, [&] {
    return measureInChild(importAll("Provider=SQLite;Data Source=" + file.string() + ";Mode=Read", sql, o.rows));
  });
  printRow("(a) native SQLite provider", native, o.rows, floor.seconds);
  const Measurement odbc = bestOf(o.runs, [&] {
    return measureInChild(importAll("Driver=SQLite3;Database=" + file.string() + ";", sql, o.rows));
  });
  printRow("(b) SQLite through ODBC", odbc, o.rows, floor.seconds);

  std::string why;
  Measurement pgFloor, pg;
  const auto target = postgresTarget(why);
  if (target) {
    const std::string table = "tavrello_bench.orders";
    const bool loaded =
        measureCommand(psqlCommand(*target,
                                   "-c 'DROP SCHEMA IF EXISTS tavrello_bench CASCADE' -c 'CREATE SCHEMA tavrello_bench' "
                                   "-c 'CREATE TABLE " + table +
                                       " (id bigint PRIMARY KEY, customer_id bigint NOT NULL, customer_name "
                                       "varchar(60), city varchar(40), product_code varchar(12), amount double "
                                       "precision, quantity integer, order_date date, shipped_at timestamp, note "
                                       "varchar(200))' -c " +
                                       shellQuote("\\copy " + table + " FROM " + shellQuote(csv.string()) + " CSV") +
                                       " -c 'ANALYZE " + table + "'"))
            .ok;
    if (!loaded) {
      std::printf("(c) PostgreSQL: could not load the orders with psql; skipped\n");
    } else {
      pgFloor = bestOf(o.runs, [&] {
        return measureCommand(
            psqlCommand(*target, "-c " + shellQuote("\\copy (SELECT * FROM " + table + ") TO '/dev/null' CSV")));
      });
      printRow("floor: psql \\copy TO /dev/null CSV", pgFloor, o.rows, 0);
      pg = bestOf(o.runs, [&] {
        return measureInChild(importAll(target->odbcConnectionString, "SELECT * FROM " + table, o.rows));
      });
      printRow("(c) PostgreSQL through ODBC", pg, o.rows, pgFloor.seconds);
      measureCommand(psqlCommand(*target, "-c 'DROP SCHEMA tavrello_bench CASCADE'"));
    }
  } else {
    std::printf("(c) PostgreSQL through ODBC: skipped, %s\n", why.c_str());
  }

  std::printf("\n");
  if (native.ok && floor.ok) {
    verdict("(a) within 1.2x of sqlite3 -csv", native.seconds <= 1.2 * floor.seconds);
    verdict("(a) peak RSS below 1.5x the CSV size",
            static_cast<double>(native.peakRssKiB) * 1024.0 < 1.5 * csvBytes);
  }
  if (pg.ok && pgFloor.ok) verdict("(c) within 2x of psql \\copy", pg.seconds <= 2 * pgFloor.seconds);
  std::filesystem::remove(csv);
  return 0;
}
