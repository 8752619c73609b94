#include "platform/db/sqlite_writer.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "platform/db/sqlite_failure.h"

namespace tavrello::db {

SqliteWriter::SqliteWriter(const std::filesystem::path& file) : file_(file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (errno == EEXIST) throw Failure(58, "File already exists: '" + file.string() + "'");
    throw Failure::fromErrno(errno, "create", file.string());
  }
  ::close(fd);
  const int rc = sqlite3_open_v2(file.c_str(), db_.out(), SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    Failure failure = sqliteFailure(rc, db_.get());
    std::error_code ec;
    std::filesystem::remove(file_, ec);
    throw failure;
  }
  try {
    // A crash leaves a file to delete, not a database to recover: no journal.
    exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
  } catch (...) {
    db_.reset();
    std::error_code ec;
    std::filesystem::remove(file_, ec);
    throw;
  }
}

SqliteWriter::~SqliteWriter() {
  if (committed_) return;
  insert_.reset();
  db_.reset();
  std::error_code ec;
  std::filesystem::remove(file_, ec);
}

void SqliteWriter::check(int rc) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE) throw sqliteFailure(rc, db_.get());
}

void SqliteWriter::exec(const char* sql) { check(sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr)); }

void SqliteWriter::prepare(const char* sql) { check(sqlite3_prepare_v2(db_.get(), sql, -1, insert_.out(), nullptr)); }

void SqliteWriter::bind(int index, std::int64_t value) { check(sqlite3_bind_int64(insert_.get(), index, value)); }

void SqliteWriter::bind(int index, double value) { check(sqlite3_bind_double(insert_.get(), index, value)); }

void SqliteWriter::bind(int index, std::string_view text) {
  check(sqlite3_bind_text(insert_.get(), index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
}

void SqliteWriter::bind(int index, std::optional<std::string_view> text) {
  if (text) bind(index, *text);
  else bindNull(index);
}

void SqliteWriter::bindNull(int index) { check(sqlite3_bind_null(insert_.get(), index)); }

void SqliteWriter::insertRow() {
  check(sqlite3_step(insert_.get()));
  check(sqlite3_reset(insert_.get()));
}

void SqliteWriter::commit() {
  insert_.reset();
  exec("COMMIT");
  committed_ = true;
}

}  // namespace tavrello::db
