#include "platform/builder/query_builder.h"

#include "platform/builder/formatter.h"
#include "platform/builder/parser.h"
#include "platform/builder/query_editor.h"
#include "platform/db/connection.h"

namespace tavrello::builder {

void BuilderQuery::ResetQuery() { owner_.resetQuery(); }

QueryBuilder::QueryBuilder() = default;
QueryBuilder::~QueryBuilder() = default;

void QueryBuilder::Reset() {
  connectionString_.clear();
  hasConnected_ = false;
  catalog_ = Catalog();
  ++catalogVersion_;
  connection_.reset();
  activePart_ = 0;
  if (query_) {
    changeStatement(std::nullopt);
  } else {
    rebuildModel();
  }
  OnViewChanged.raise();
}

void QueryBuilder::ConnectionString(std::string connectionString) {
  if (connectionString != connectionString_) hasConnected_ = false;
  connectionString_ = std::move(connectionString);
}

void QueryBuilder::Connect() {
  Disconnect();
  hasConnected_ = false;
  auto connection = std::make_unique<db::Connection>();
  connection->Open(connectionString_);
  Catalog catalog = Catalog::read(*connection);
  connection_ = std::move(connection);
  hasConnected_ = true;
  catalog_ = std::move(catalog);
  ++catalogVersion_;
  rebuildModel();
  OnViewChanged.raise();
}

void QueryBuilder::Disconnect() {
  if (!connection_) return;
  catalog_ = Catalog();
  ++catalogVersion_;
  connection_.reset();
  rebuildModel();
  OnViewChanged.raise();
}

void QueryBuilder::resetQuery() {
  activePart_ = 0;
  if (query_) changeStatement(std::nullopt);
}

void QueryBuilder::SQL(std::string_view text) { changeStatement(parseStatement(text)); }

std::string QueryBuilder::FormattedSQL() const { return formatStatement(query_); }

void QueryBuilder::changeStatement(std::optional<Query> query) {
  query_ = std::move(query);
  rebuildModel();
  OnSQLChanged.raise();
}

void QueryBuilder::rebuildModel() {
  model_ = QueryModel::build(query_, activePart_, [this](const Name& name) { return catalog_.columnNames(name); });
  activePart_ = model_.activePart;
}

void QueryBuilder::setActivePart(std::size_t part) {
  activePart_ = part;
  rebuildModel();
  OnViewChanged.raise();
}

void QueryBuilder::edit(const std::function<void(QueryEditor&)>& operation) {
  std::optional<Query> edited = query_;
  QueryEditor editor(edited, model_, catalog_.quoteStyle());
  operation(editor);
  changeStatement(std::move(edited));
}

void QueryBuilder::addDataSource(const Name& object) {
  edit([&](QueryEditor& e) { e.addDataSource(object); });
}

void QueryBuilder::addCatalogObject(const db::CatalogObject& object) {
  if (object.kind == db::ObjectKind::Procedure) {
    throw Failure::invalidCall("A procedure cannot be a data source of a query");
  }
  addDataSource(catalog_.nameOf(object));
}

void QueryBuilder::removeDataSource(std::size_t source) {
  edit([&](QueryEditor& e) { e.removeDataSource(source); });
}

void QueryBuilder::setColumnChecked(std::size_t source, const std::string& column, bool checked) {
  edit([&](QueryEditor& e) { e.setColumnChecked(source, column, checked); });
}

void QueryBuilder::joinSources(std::size_t left, const std::string& leftColumn, std::size_t right,
                               const std::string& rightColumn) {
  edit([&](QueryEditor& e) { e.joinSources(left, leftColumn, right, rightColumn); });
}

void QueryBuilder::setJoinType(std::size_t link, JoinType type) {
  edit([&](QueryEditor& e) { e.setJoinType(link, type); });
}

void QueryBuilder::removeJoin(std::size_t link) {
  edit([&](QueryEditor& e) { e.removeJoin(link); });
}

void QueryBuilder::setDistinct(bool distinct) {
  edit([&](QueryEditor& e) { e.setDistinct(distinct); });
}

void QueryBuilder::setAlias(std::size_t row, const std::string& alias) {
  edit([&](QueryEditor& e) { e.setAlias(row, alias); });
}

void QueryBuilder::setOutput(std::size_t row, bool output) {
  edit([&](QueryEditor& e) { e.setOutput(row, output); });
}

void QueryBuilder::setSort(std::size_t row, SortType sort) {
  edit([&](QueryEditor& e) { e.setSort(row, sort); });
}

void QueryBuilder::setSortOrder(std::size_t row, int order) {
  edit([&](QueryEditor& e) { e.setSortOrder(row, order); });
}

void QueryBuilder::setCriteria(std::size_t row, const std::string& criteria) {
  edit([&](QueryEditor& e) { e.setCriteria(row, criteria); });
}

void QueryBuilder::setAggregate(std::size_t row, const std::string& aggregate) {
  edit([&](QueryEditor& e) { e.setAggregate(row, aggregate); });
}

void QueryBuilder::requestExpressionEdit(std::size_t row) {
  if (row >= model_.rows.size()) throw Failure::invalidCall("There is no column row " + std::to_string(row));
  Expression expression(model_.rows[row].expression);
  std::optional<Query> before = query_;
  ExpressionEditRequest.raise(expression);
  // A handler that replaced the whole statement meanwhile wins.
  if (!expression.changed() || !(query_ == before)) return;
  edit([&](QueryEditor& e) { e.setExpression(row, expression.ExpressionText()); });
}

}  // namespace tavrello::builder
