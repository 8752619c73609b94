#include "platform/db/sqlite_session.h"

#include <algorithm>
#include <filesystem>

#include "platform/db/db_failure.h"
#include "platform/db/fetch_watcher.h"
#include "platform/db/sqlite_failure.h"
#include "platform/db/sqlite_handles.h"
#include "platform/db/sqlite_types.h"

namespace tavrello::db {

namespace {

// How long a statement waits for another process's lock before failing.
constexpr int kBusyTimeoutMs = 5000;

void appendValue(Column& column, sqlite3_stmt* stmt, int i) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL: column.appendNull(); break;
    case SQLITE_INTEGER: {
      const sqlite3_int64 v = sqlite3_column_int64(stmt, i);
      if (column.type() == DataType::Boolean && (v == 0 || v == 1)) column.appendBoolean(v != 0);
      else column.appendInteger(v);
      break;
    }
    case SQLITE_FLOAT: column.appendDouble(sqlite3_column_double(stmt, i)); break;
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      column.appendText(std::string_view(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))));
      break;
    }
    default: {
      const auto* blob = static_cast<const std::byte*>(sqlite3_column_blob(stmt, i));
      column.appendBytes({blob, static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))});
      break;
    }
  }
}

// Virtual machine steps between two questions whether to stop: a statement
// that computes long without returning rows is stopped as promptly.
constexpr int kStepsPerCancelCheck = 10000;

// Ties the installed watcher to one statement run: the library asks it
// whether to stop while it computes, and it hears of the rows read.
class WatchedRun {
 public:
  explicit WatchedRun(sqlite3* db) : db_(db) {
    if (watcher()) sqlite3_progress_handler(db_, kStepsPerCancelCheck, &WatchedRun::stopAsked, watcher());
  }
  ~WatchedRun() {
    if (watcher()) sqlite3_progress_handler(db_, 0, nullptr, nullptr);
  }
  WatchedRun(const WatchedRun&) = delete;
  WatchedRun& operator=(const WatchedRun&) = delete;

  void row() { report_.rowsRead(1); }
  // The failure for a step that did not end well: 18 when the user stopped it.
  Failure failure(int rc) const {
    if ((rc & 0xff) == SQLITE_INTERRUPT && watcher() && watcher()->cancelRequested()) return Failure::userCancel();
    return sqliteFailure(rc, db_);
  }

 private:
  FetchWatcher* watcher() const { return report_.watcher(); }
  static int stopAsked(void* watcher) { return static_cast<FetchWatcher*>(watcher)->cancelRequested() ? 1 : 0; }

  sqlite3* db_;
  RowReport report_;
};

class SqliteSession final : public Session {
 public:
  explicit SqliteSession(SqliteDatabase db) : db_(std::move(db)) {}

  std::shared_ptr<Recordset> execute(std::string_view sql) override {
    std::shared_ptr<Recordset> result;
    WatchedRun run(db_.get());
    const char* next = sql.data();
    const char* end = sql.data() + sql.size();
    while (next < end) {
      SqliteStatement stmt;
      const char* tail = nullptr;
      int rc = sqlite3_prepare_v2(db_.get(), next, static_cast<int>(end - next), stmt.out(), &tail);
      if (rc != SQLITE_OK) throw run.failure(rc);
      // The library stops at a NUL with no statement and no progress.
      if (!stmt.get() && tail == next) {
        throw Failure(failure_number::kCommandError,
                      "The statement cannot be read past byte " + std::to_string(next - sql.data() + 1) + ".");
      }
      next = tail;
      if (!stmt.get()) continue;  // blanks or a comment
      if (!result && sqlite3_column_count(stmt.get()) > 0) {
        result = std::make_shared<Recordset>(readAll(stmt.get(), run));
      } else {
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) throw run.failure(rc);
      }
    }
    return result ? result : std::make_shared<Recordset>();
  }

  std::vector<CatalogObject> objects(ObjectKind kind) override {
    std::vector<CatalogObject> out;
    if (kind != ObjectKind::Table && kind != ObjectKind::View) return out;
    SqliteStatement stmt;
    const char* sql =
        "SELECT name FROM sqlite_master WHERE type = ?1 AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name";
    check(sqlite3_prepare_v2(db_.get(), sql, -1, stmt.out(), nullptr));
    check(sqlite3_bind_text(stmt.get(), 1, kind == ObjectKind::Table ? "table" : "view", -1, SQLITE_STATIC));
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
      out.push_back({"", reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)), kind});
    }
    if (rc != SQLITE_DONE) throw sqliteFailure(rc, db_.get());
    return out;
  }

  std::vector<CatalogColumn> columns(std::string_view schema, std::string_view table) override {
    std::vector<CatalogColumn> out;
    SqliteStatement stmt;
    check(sqlite3_prepare_v2(db_.get(), "SELECT name, type, \"notnull\" FROM pragma_table_info(?1, ?2) ORDER BY cid",
                             -1, stmt.out(), nullptr));
    check(sqlite3_bind_text(stmt.get(), 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT));
    if (schema.empty()) schema = "main";
    check(sqlite3_bind_text(stmt.get(), 2, schema.data(), static_cast<int>(schema.size()), SQLITE_TRANSIENT));
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
      std::string typeName = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1));
      out.push_back({reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)), typeName,
                     sqliteDeclaredType(typeName), sqlite3_column_int(stmt.get(), 2) == 0});
    }
    if (rc != SQLITE_DONE) throw sqliteFailure(rc, db_.get());
    return out;
  }

  char identifierQuote() override { return '"'; }

  std::string serverName() override { return std::string("SQLite ") + sqlite3_libversion(); }

 private:
  void check(int rc) {
    if (rc != SQLITE_OK) throw sqliteFailure(rc, db_.get());
  }

  std::vector<Column> readAll(sqlite3_stmt* stmt, WatchedRun& run) {
    const int count = sqlite3_column_count(stmt);
    std::vector<Column> columns;
    columns.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      const char* declared = sqlite3_column_decltype(stmt, i);
      columns.emplace_back(sqlite3_column_name(stmt, i), sqliteDeclaredType(declared ? declared : ""),
                           declared ? declared : "");
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      for (int i = 0; i < count; ++i) appendValue(columns[static_cast<std::size_t>(i)], stmt, i);
      run.row();
    }
    if (rc != SQLITE_DONE) throw run.failure(rc);
    return columns;
  }

  SqliteDatabase db_;
};

}  // namespace

std::unique_ptr<Session> openSqliteSession(const std::string& path, bool readOnly) {
  if (path.empty()) {
    throw Failure(failure_number::kProviderError,
                  "The connection string names no database file: give it as Data Source=FILE.");
  }
  if (path != ":memory:") {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
      throw Failure(failure_number::kProviderError, "The database file '" + path + "' does not exist.");
    }
    if (std::filesystem::is_directory(path, ec)) {
      throw Failure(failure_number::kProviderError, "'" + path + "' is a folder, not a database file.");
    }
  }
  SqliteDatabase db;
  const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
  int rc = sqlite3_open_v2(path.c_str(), db.out(), flags, nullptr);
  if (rc != SQLITE_OK) throw sqliteFailure(rc, db.get());
  sqlite3_extended_result_codes(db.get(), 0);
  sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
  // Opening is lazy: read the schema now so that a file that is not a
  // database fails here rather than at the first statement.
  rc = sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) throw sqliteFailure(rc, db.get());
  return std::make_unique<SqliteSession>(std::move(db));
}

}  // namespace tavrello::db
