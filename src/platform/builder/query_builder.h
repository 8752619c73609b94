#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/builder/ast.h"
#include "platform/builder/catalog.h"
#include "platform/builder/event.h"
#include "platform/builder/expression_object.h"
#include "platform/builder/query_model.h"
#include "platform/system/failure.h"

namespace tavrello::db {
class Connection;
}

namespace tavrello::builder {

class QueryBuilder;

// The builder's query object, through which the query window resets the
// current query before it disconnects.
class BuilderQuery {
 public:
  explicit BuilderQuery(QueryBuilder& owner) : owner_(owner) {}
  // Empties the statement (raising OnSQLChanged when there was one).
  // Harmless when not connected or never connected.
  void ResetQuery();

 private:
  QueryBuilder& owner_;
};

// The visual SQL query builder the query window shows as its control
// `SQLBuilder`: a connection to a database and its catalog, one SELECT
// statement held as a syntax tree, and the visual model the widget draws.
//
// The query window uses the members named like the original component's
// (Reset ... ExpressionEditRequest); the widget uses the visual operations,
// each of which either fails with a Failure and changes nothing, or changes
// the statement and raises OnSQLChanged exactly once. Single-threaded.
class QueryBuilder {
 public:
  QueryBuilder();
  ~QueryBuilder();
  QueryBuilder(const QueryBuilder&) = delete;
  QueryBuilder& operator=(const QueryBuilder&) = delete;

  // The empty state: no statement (OnSQLChanged when there was one), no
  // connection, no catalog shown, and no connection string, so that a later
  // choice of the same connection does not pass for a live one.
  void Reset();

  const std::string& ConnectionString() const { return connectionString_; }
  // Another connection string than the one held also clears HasConnected.
  void ConnectionString(std::string connectionString);

  // Opens a connection with ConnectionString through the database layer
  // (never prompting for a login) and reads the catalog. On failure throws
  // the database's Failure and stays disconnected. A connected builder
  // reconnects.
  void Connect();
  // Drops the connection and the catalog; the statement stays. Harmless
  // when not connected.
  void Disconnect();
  bool Connected() const { return connection_ != nullptr; }
  // Whether the builder has connected with its ConnectionString since the
  // last Reset: true after a successful Connect, and still true after
  // Disconnect, so that the string the user last worked with can be taken
  // over (the connection editor does) once the builder is disconnected.
  // False again after Reset, a failed Connect, or another ConnectionString.
  bool HasConnected() const { return hasConnected_; }

  BuilderQuery& QueryObject() { return queryObject_; }

  // Parses the text and makes it the statement (the empty text is the empty
  // statement), then raises OnSQLChanged. Text that is not one well-formed
  // query fails with a syntax Failure naming the line and column, changes
  // nothing and raises no event.
  void SQL(std::string_view text);
  // The statement in the builder's layout; "" for the empty statement.
  std::string FormattedSQL() const;

  // After every change of the statement.
  Event<> OnSQLChanged;
  // When the user asks to edit one expression: handlers read and may write
  // the expression's text; a changed text is applied (OnSQLChanged).
  Event<Expression&> ExpressionEditRequest;
  // When what the widget shows changes without the statement changing:
  // connected, disconnected, another part of a UNION chosen.
  Event<> OnViewChanged;

  // What the widget draws.
  const QueryModel& model() const { return model_; }
  const Catalog& catalog() const { return catalog_; }
  // Changes whenever the catalog is read or dropped.
  std::size_t catalogVersion() const { return catalogVersion_; }
  const std::optional<Query>& query() const { return query_; }
  // The UNION part the diagram shows and edits.
  void setActivePart(std::size_t part);

  // Visual operations; indexes refer to model() (see QueryEditor).
  void addDataSource(const Name& object);
  void addCatalogObject(const db::CatalogObject& object);
  void removeDataSource(std::size_t source);
  void setColumnChecked(std::size_t source, const std::string& column, bool checked);
  void joinSources(std::size_t left, const std::string& leftColumn, std::size_t right,
                   const std::string& rightColumn);
  void setJoinType(std::size_t link, JoinType type);
  void removeJoin(std::size_t link);
  void setDistinct(bool distinct);
  void setAlias(std::size_t row, const std::string& alias);
  void setOutput(std::size_t row, bool output);
  void setSort(std::size_t row, SortType sort);
  void setSortOrder(std::size_t row, int order);
  void setCriteria(std::size_t row, const std::string& criteria);
  void setAggregate(std::size_t row, const std::string& aggregate);
  // Raises ExpressionEditRequest for the row's expression and applies what
  // the handlers wrote back; an empty text removes the row.
  void requestExpressionEdit(std::size_t row);

 private:
  friend class BuilderQuery;
  void resetQuery();
  void changeStatement(std::optional<Query> query);
  void edit(const std::function<void(class QueryEditor&)>& operation);
  void rebuildModel();

  std::string connectionString_;
  std::unique_ptr<db::Connection> connection_;
  bool hasConnected_ = false;
  Catalog catalog_;
  std::size_t catalogVersion_ = 0;
  std::optional<Query> query_;
  std::size_t activePart_ = 0;
  QueryModel model_;
  BuilderQuery queryObject_{*this};
};

}  // namespace tavrello::builder
