#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/builder/ast.h"
#include "platform/builder/query_model.h"
#include "platform/system/failure.h"

namespace tavrello::builder {

// A name as the builder writes it: bare when it can be, else quoted in the
// database's style.
Identifier makeIdentifier(std::string_view name, QuoteStyle preferredQuote);

// The visual operations of the diagram and the columns pane, applied to the
// syntax tree of the query's active part. Indexes refer to the model the
// editor was made with (sources, links, rows). An operation that cannot be
// done throws a Failure and may leave the query half edited: the component
// runs each one on a copy.
class QueryEditor {
 public:
  QueryEditor(std::optional<Query>& query, const QueryModel& model, QuoteStyle preferredQuote);

  // Diagram (source_operations.cpp).
  // Adds a table or view as a new entry of FROM, with an alias (Orders1)
  // when its name is taken; an empty query becomes SELECT * FROM object.
  void addDataSource(const Name& object);
  // Removes the source and everything that refers to it: its joins'
  // conditions, select list entries, criteria, sorting and grouping.
  void removeDataSource(std::size_t source);
  // Ticks (adds to the select list) or unticks a column; "*" is the star.
  void setColumnChecked(std::size_t source, std::string_view column, bool checked);
  // Joins two sources on left.leftColumn = right.rightColumn: a second
  // condition of an existing join, or a new INNER JOIN for sources listed
  // with commas.
  void joinSources(std::size_t left, std::string_view leftColumn, std::size_t right, std::string_view rightColumn);
  void setJoinType(std::size_t link, JoinType type);
  void removeJoin(std::size_t link);
  void setDistinct(bool distinct);

  // Columns pane (column_operations.cpp).
  void setAlias(std::size_t row, std::string_view alias);
  void setOutput(std::size_t row, bool output);
  void setSort(std::size_t row, SortType sort);
  void setSortOrder(std::size_t row, int order);
  // "> 10", "LIKE 'A%'", "IS NULL", or a bare value meaning "= value".
  void setCriteria(std::size_t row, std::string_view criteria);
  void setAggregate(std::size_t row, std::string_view aggregate);
  // Replaces the row's expression; the empty text removes the row.
  void setExpression(std::size_t row, std::string_view text);

 private:
  SelectCore& core();
  const DataSource& source(std::size_t index) const;
  const JoinLink& link(std::size_t index) const;
  const ColumnRow& row(std::size_t index) const;
  void removeSelectItem(std::size_t index);
  void ensureSelectList();
  void removeReferences(const Identifier& ref, bool unqualifiedToo);

  std::optional<Query>& query_;
  const QueryModel& model_;
  QuoteStyle quote_;
};

}  // namespace tavrello::builder
