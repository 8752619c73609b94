#pragma once

#include <sqlite3.h>

#include <utility>

namespace tavrello::db {

// Owns a database handle of the SQLite library; closes it when destroyed.
class SqliteDatabase {
 public:
  SqliteDatabase() = default;
  explicit SqliteDatabase(sqlite3* db) : db_(db) {}
  ~SqliteDatabase() { sqlite3_close_v2(db_); }
  SqliteDatabase(SqliteDatabase&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}
  SqliteDatabase& operator=(SqliteDatabase&&) = delete;
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  sqlite3* get() const { return db_; }
  sqlite3** out() { return &db_; }
  void reset() { sqlite3_close_v2(std::exchange(db_, nullptr)); }

 private:
  sqlite3* db_ = nullptr;
};

// Owns a prepared statement; finalizes it when destroyed.
class SqliteStatement {
 public:
  SqliteStatement() = default;
  ~SqliteStatement() { sqlite3_finalize(stmt_); }
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  sqlite3_stmt* get() const { return stmt_; }
  void reset() { sqlite3_finalize(std::exchange(stmt_, nullptr)); }
  // For sqlite3_prepare_v2; releases the statement held so far first.
  sqlite3_stmt** out() {
    sqlite3_finalize(std::exchange(stmt_, nullptr));
    return &stmt_;
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace tavrello::db
