#pragma once

#include <cstdlib>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/db/connection.h"
#include "platform/system/failure.h"
#include "support_lib/test_env.h"

namespace tavrello::db::testing {

// An empty file is an empty SQLite database; the provider refuses to create one.
inline std::string newSqliteFile(const tavrello::testing::TempDir& dir, const std::string& name = "test.db") {
  tavrello::testing::writeFile(dir / name, "");
  return (dir / name).string();
}

inline std::string nativeString(const std::string& file) { return "Provider=SQLite;Data Source=" + file + ";"; }

// The SQLite ODBC driver as /etc/odbcinst.ini registers it.
inline std::string sqliteOdbcString(const std::string& file) { return "Driver=SQLite3;Database=" + file + ";"; }

// The live PostgreSQL test database, or why there is none. CI sets
// TAVRELLO_REQUIRE_POSTGRES=1, which turns the skip into a failure.
inline std::string postgresStringOrSkipReason(bool& available) {
  const char* cs = std::getenv("TAVRELLO_PG_CONNECTION");
  available = false;
  if (!cs || !*cs) return "TAVRELLO_PG_CONNECTION is not set (run: eval \"$(scripts/start-test-postgres)\")";
  try {
    Connection probe;
    probe.Open(cs);
  } catch (const Failure& f) {
    return "the PostgreSQL test server does not answer: " + f.description();
  }
  available = true;
  return cs;
}

inline bool postgresRequired() {
  const char* required = std::getenv("TAVRELLO_REQUIRE_POSTGRES");
  return required && std::string(required) == "1";
}

// Inside a test: `TAVRELLO_POSTGRES_OR_SKIP(cs);` declares cs as the
// connection string, or skips (fails in CI) with the reason.
#define TAVRELLO_POSTGRES_OR_SKIP(cs)                                               \
  bool cs##Available = false;                                                       \
  const std::string cs = ::tavrello::db::testing::postgresStringOrSkipReason(cs##Available); \
  if (!cs##Available) {                                                             \
    if (::tavrello::db::testing::postgresRequired()) FAIL() << cs;                  \
    GTEST_SKIP() << "PostgreSQL tests skipped: " << cs;                             \
  }

// A table name no other test run uses at the same time.
inline std::string uniqueName(const std::string& stem) {
  static int counter = 0;
  return stem + "_" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

}  // namespace tavrello::db::testing
