#include "platform/builder/catalog.h"

#include "platform/builder/query_editor.h"
#include "platform/builder/text_util.h"
#include "platform/db/connection.h"
#include "platform/db/session.h"

namespace tavrello::builder {

namespace {

// Schemas a name is looked up in when it has none: leaving them out keeps
// statements short and the same as users write them.
bool isDefaultSchema(const std::string& schema) {
  return schema.empty() || equalsIgnoreCase(schema, "public") || equalsIgnoreCase(schema, "dbo") ||
         equalsIgnoreCase(schema, "main");
}

QuoteStyle styleOf(char quote) {
  switch (quote) {
    case '`': return QuoteStyle::Backtick;
    case '[': return QuoteStyle::Bracket;
    default: return QuoteStyle::Double;
  }
}

}  // namespace

const char* objectTreeNodeText(db::ObjectKind kind) {
  switch (kind) {
    case db::ObjectKind::Table: return "Tables";
    case db::ObjectKind::View: return "Views";
    case db::ObjectKind::Procedure: return "Procedures";
    case db::ObjectKind::Synonym: return "Synonyms";
  }
  return "";
}

Catalog Catalog::read(db::Connection& connection) {
  Catalog catalog;
  catalog.tables_ = db::catalog::tables(connection);
  catalog.views_ = db::catalog::views(connection);
  catalog.procedures_ = db::catalog::procedures(connection);
  catalog.synonyms_ = db::catalog::synonyms(connection);
  catalog.quote_ = styleOf(connection.session().identifierQuote());
  catalog.connection_ = &connection;
  return catalog;
}

bool Catalog::empty() const {
  return tables_.empty() && views_.empty() && procedures_.empty() && synonyms_.empty();
}

const std::vector<db::CatalogObject>& Catalog::objects(db::ObjectKind kind) const {
  switch (kind) {
    case db::ObjectKind::Table: return tables_;
    case db::ObjectKind::View: return views_;
    case db::ObjectKind::Procedure: return procedures_;
    case db::ObjectKind::Synonym: return synonyms_;
  }
  return tables_;
}

const std::vector<db::CatalogColumn>& Catalog::columns(const db::CatalogObject& object) const {
  static const std::vector<db::CatalogColumn> kNone;
  if (!connection_ || object.kind == db::ObjectKind::Procedure) return kNone;
  auto key = std::make_pair(object.schema, object.name);
  auto found = columns_.find(key);
  if (found == columns_.end()) {
    found = columns_.emplace(key, db::catalog::columns(*connection_, object.schema, object.name)).first;
  }
  return found->second;
}

const db::CatalogObject* Catalog::find(const Name& name) const {
  if (name.empty()) return nullptr;
  const std::string& object = name.back().name;
  const std::string* schema = name.size() >= 2 ? &name[name.size() - 2].name : nullptr;
  const db::CatalogObject* fallback = nullptr;
  for (const auto* list : {&tables_, &views_, &synonyms_}) {
    for (const db::CatalogObject& candidate : *list) {
      if (!equalsIgnoreCase(candidate.name, object)) continue;
      if (schema && !equalsIgnoreCase(candidate.schema, *schema)) continue;
      if (schema || isDefaultSchema(candidate.schema)) return &candidate;
      if (!fallback) fallback = &candidate;
    }
  }
  return fallback;
}

std::vector<std::string> Catalog::columnNames(const Name& name) const {
  std::vector<std::string> names;
  if (const db::CatalogObject* object = find(name)) {
    for (const db::CatalogColumn& column : columns(*object)) names.push_back(column.name);
  }
  return names;
}

Name Catalog::nameOf(const db::CatalogObject& object) const {
  Name name;
  if (!isDefaultSchema(object.schema)) name.push_back(makeIdentifier(object.schema, quote_));
  name.push_back(makeIdentifier(object.name, quote_));
  return name;
}

}  // namespace tavrello::builder
