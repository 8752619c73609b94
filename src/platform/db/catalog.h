#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/data_type.h"

namespace tavrello::db {

class Connection;

enum class ObjectKind { Table, View, Procedure, Synonym };

// A named object of a database. `schema` is empty where the database has
// none to name (SQLite's main database, drivers without schemas).
struct CatalogObject {
  std::string schema;
  std::string name;
  ObjectKind kind;
};

// A column of a table or view, in column order.
struct CatalogColumn {
  std::string name;
  std::string typeName;  // as the database names it ("VARCHAR", "numeric", "INTEGER")
  DataType type;         // the type its values arrive as in a result set
  bool nullable;
};

// The catalog the query builder offers the user. Every call needs an open
// connection (Failure 3709 otherwise) and throws the provider's Failure when
// the database refuses. Lists come sorted by schema, then name.
namespace catalog {

std::vector<CatalogObject> tables(Connection& connection);
std::vector<CatalogObject> views(Connection& connection);
std::vector<CatalogObject> procedures(Connection& connection);
// Synonyms where the database has them; SQLite has none and gives an empty list.
std::vector<CatalogObject> synonyms(Connection& connection);
// Columns of a table or view; an empty list when there is no such object.
std::vector<CatalogColumn> columns(Connection& connection, std::string_view schema, std::string_view table);
// `name` quoted as an identifier for this database ("order items" becomes
// "\"order items\"", with the quote character doubled inside).
std::string quoteIdentifier(Connection& connection, std::string_view name);

}  // namespace catalog

}  // namespace tavrello::db
