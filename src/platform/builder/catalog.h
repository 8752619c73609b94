#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/builder/ast.h"
#include "platform/db/catalog.h"

namespace tavrello::db {
class Connection;
}

namespace tavrello::builder {

// The object tree's node for each kind of object: "Tables", "Views",
// "Procedures", "Synonyms".
const char* objectTreeNodeText(db::ObjectKind kind);

// What the builder knows of the connected database: its tables, views,
// procedures and synonyms with their schemas, and the columns of tables and
// views. An empty catalog (the default) shows nothing.
class Catalog {
 public:
  Catalog() = default;

  // Reads the object lists through connection. Columns are read the first
  // time they are asked for, through the same connection, which must stay
  // open as long as the catalog is used. Throws the database's Failure.
  static Catalog read(db::Connection& connection);

  bool empty() const;
  const std::vector<db::CatalogObject>& objects(db::ObjectKind kind) const;

  // Columns of a table or view in column order, read once and kept; an
  // empty list when there is no such object or no connection.
  const std::vector<db::CatalogColumn>& columns(const db::CatalogObject& object) const;

  // The table, view or synonym a name in a statement refers to (schema
  // optional, letter case ignored), or nullptr.
  const db::CatalogObject* find(const Name& name) const;
  std::vector<std::string> columnNames(const Name& name) const;

  // How the builder writes the object in a statement: schema-qualified
  // unless the schema is the database's default one, quoted as needed.
  Name nameOf(const db::CatalogObject& object) const;
  QuoteStyle quoteStyle() const { return quote_; }

 private:
  db::Connection* connection_ = nullptr;
  std::vector<db::CatalogObject> tables_, views_, procedures_, synonyms_;
  mutable std::map<std::pair<std::string, std::string>, std::vector<db::CatalogColumn>> columns_;
  QuoteStyle quote_ = QuoteStyle::Double;
};

}  // namespace tavrello::builder
