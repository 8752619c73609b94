#include "platform/db/catalog.h"

#include <algorithm>

#include "platform/db/connection.h"
#include "platform/db/session.h"

namespace tavrello::db::catalog {

namespace {

std::vector<CatalogObject> sorted(std::vector<CatalogObject> objects) {
  std::sort(objects.begin(), objects.end(), [](const CatalogObject& a, const CatalogObject& b) {
    return a.schema != b.schema ? a.schema < b.schema : a.name < b.name;
  });
  return objects;
}

}  // namespace

std::vector<CatalogObject> tables(Connection& connection) {
  return sorted(connection.session().objects(ObjectKind::Table));
}

std::vector<CatalogObject> views(Connection& connection) {
  return sorted(connection.session().objects(ObjectKind::View));
}

std::vector<CatalogObject> procedures(Connection& connection) {
  return sorted(connection.session().objects(ObjectKind::Procedure));
}

std::vector<CatalogObject> synonyms(Connection& connection) {
  return sorted(connection.session().objects(ObjectKind::Synonym));
}

std::vector<CatalogColumn> columns(Connection& connection, std::string_view schema, std::string_view table) {
  return connection.session().columns(schema, table);
}

std::string quoteIdentifier(Connection& connection, std::string_view name) {
  const char quote = connection.session().identifierQuote();
  if (quote == ' ') return std::string(name);  // the driver quotes no identifiers
  std::string out(1, quote);
  for (char c : name) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
  return out;
}

}  // namespace tavrello::db::catalog
