#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/catalog.h"
#include "platform/db/recordset.h"

namespace tavrello::db {

// What an open connection's provider does: the embedded SQLite library or an
// ODBC driver. Connection owns one while it is open; closing it means
// destroying the session. Every member throws the provider's Failure.
class Session {
 public:
  virtual ~Session() = default;

  // Runs every statement of `sql` in order and returns the first result that
  // has columns, fully read and open; a closed Recordset when no statement
  // returns columns (DDL, DML).
  virtual std::shared_ptr<Recordset> execute(std::string_view sql) = 0;

  virtual std::vector<CatalogObject> objects(ObjectKind kind) = 0;
  virtual std::vector<CatalogColumn> columns(std::string_view schema, std::string_view table) = 0;
  // The character that quotes identifiers, '"' for SQL-standard databases.
  virtual char identifierQuote() = 0;
  // Name of the engine and its version, for the about box and diagnostics.
  virtual std::string serverName() = 0;
};

}  // namespace tavrello::db
