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

// A text with a NUL made the SQLite provider spin for ever: each provider
// must refuse it, and a text without any statement, with a clear failure
// before the database sees it, and still run a statement after comments.
inline void expectTextsWithoutAStatementFail(Connection& cn) {
  using namespace std::string_literals;
  const std::string withNul[] = {"SELECT 1\0"s, "SELECT 1;\0 SELECT 2"s, "\0"s, "SELECT 'a\0b'"s};
  for (const std::string& text : withNul) {
    try {
      cn.Execute(text);
      ADD_FAILURE() << "ran a text with a NUL: " << text.size() << " bytes";
    } catch (const Failure& f) {
      EXPECT_EQ(f.number(), -2147217900) << f.toString();
      EXPECT_NE(f.description().find("NUL character (at byte " + std::to_string(text.find('\0') + 1) + ")"),
                std::string::npos)
          << f.toString();
    }
  }
  for (const char* text : {"", "  \r\n\t", "-- only a comment", "/* a block */ ;; -- and a line",
                           "/* never closed"}) {
    try {
      cn.Execute(text);
      ADD_FAILURE() << "ran '" << text << "'";
    } catch (const Failure& f) {
      EXPECT_EQ(f.number(), -2147217908) << f.toString();
      EXPECT_NE(f.description().find("holds no statement"), std::string::npos) << f.toString();
    }
  }
  EXPECT_EQ(cn.Execute("/* first */ -- then\nSELECT 2 AS n")->RecordCount(), 1);
  EXPECT_EQ(cn.State(), 1) << "the connection stays usable";
}

// A table name no other test run uses at the same time.
inline std::string uniqueName(const std::string& stem) {
  static int counter = 0;
  return stem + "_" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

}  // namespace tavrello::db::testing
