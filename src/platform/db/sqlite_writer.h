#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/db/sqlite_handles.h"

namespace tavrello::db {

// Writes a new SQLite database file for the generators (sample and benchmark
// data). The file is claimed atomically: when it exists already the
// constructor throws Failure 58 "File already exists" naming it, and nothing
// is touched. Everything is written in one transaction; a writer destroyed
// before commit() removes the half-written file.
class SqliteWriter {
 public:
  explicit SqliteWriter(const std::filesystem::path& file);
  ~SqliteWriter();
  SqliteWriter(const SqliteWriter&) = delete;
  SqliteWriter& operator=(const SqliteWriter&) = delete;

  void exec(const char* sql);
  // Prepares the one insert statement that the row calls below fill.
  void prepare(const char* sql);
  void bind(int index, std::int64_t value);
  void bind(int index, double value);
  void bind(int index, std::string_view text);
  void bind(int index, std::optional<std::string_view> text);
  void bindNull(int index);
  // Runs the prepared statement with the values bound and readies it for the next row.
  void insertRow();
  void commit();

 private:
  void check(int rc);

  std::filesystem::path file_;
  bool committed_ = false;
  SqliteDatabase db_;
  SqliteStatement insert_;
};

}  // namespace tavrello::db
