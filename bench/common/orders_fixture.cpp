#include "common/orders_fixture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "common/bench_measure.h"
#include "platform/db/connection.h"
#include "platform/db/connection_string.h"
#include "platform/db/orders_generator.h"

namespace tavrello::bench {

namespace fs = std::filesystem;

fs::path ensureOrdersDatabase(const fs::path& dir, std::int64_t rows) {
  fs::create_directories(dir);
  const fs::path file = dir / ("orders-" + std::to_string(rows) + ".db");
  if (fs::exists(file)) {
    try {
      db::Connection cn;
      cn.Open("Provider=SQLite;Data Source=" + file.string() + ";Mode=Read");
      auto rs = cn.Execute("SELECT count(*) FROM orders");
      if (rs->column(0).int64(0) == rows) return file;
    } catch (const Failure&) {
    }
    fs::remove(file);
  }
  std::printf("Generating %lld orders into %s ...\n", static_cast<long long>(rows), file.c_str());
  std::fflush(stdout);
  const auto start = std::chrono::steady_clock::now();
  db::createOrdersDatabase(file, rows);
  std::printf("  generated in %.1f s\n",
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return file;
}

std::optional<PostgresTarget> postgresTarget(std::string& why) {
  const char* cs = std::getenv("TAVRELLO_PG_CONNECTION");
  if (!cs || !*cs) {
    why = "TAVRELLO_PG_CONNECTION is not set (eval \"$(scripts/start-test-postgres)\" starts a local server)";
    return std::nullopt;
  }
  try {
    db::Connection probe;
    probe.Open(cs);
  } catch (const Failure& f) {
    why = "the PostgreSQL server does not answer: " + f.description();
    return std::nullopt;
  }
  const auto parsed = db::ConnectionString::parse(cs);
  PostgresTarget target;
  target.odbcConnectionString = cs;
  target.psqlArguments = "-h " + shellQuote(parsed.get("Server").value_or("localhost")) + " -p " +
                         shellQuote(parsed.get("Port").value_or("5432")) + " -U " +
                         shellQuote(parsed.get("Uid").value_or(parsed.get("Username").value_or(""))) + " -d " +
                         shellQuote(parsed.get("Database").value_or(""));
  target.password = parsed.get("Pwd").value_or(parsed.get("Password").value_or(""));
  return target;
}

std::string psqlCommand(const PostgresTarget& target, const std::string& rest) {
  return "PGPASSWORD=" + shellQuote(target.password) + " psql -X -q " + target.psqlArguments + " " + rest;
}

}  // namespace tavrello::bench
