#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tavrello::bench {

// The benchmark's orders database in `dir` ("orders-<rows>.db"), generated on
// first use and reused while it holds exactly `rows` orders. Prints a line
// when it generates.
std::filesystem::path ensureOrdersDatabase(const std::filesystem::path& dir, std::int64_t rows);

// The live PostgreSQL server named by TAVRELLO_PG_CONNECTION (an ODBC string),
// with the psql command-line arguments and password for the same database.
struct PostgresTarget {
  std::string odbcConnectionString;
  std::string psqlArguments;  // shell-quoted host, port, user and database
  std::string password;
};

// Nothing, with the reason in `why`, when the variable is unset or the server
// does not answer.
std::optional<PostgresTarget> postgresTarget(std::string& why);

// `psql` with the target's arguments and password, followed by `rest`.
std::string psqlCommand(const PostgresTarget& target, const std::string& rest);

}  // namespace tavrello::bench
