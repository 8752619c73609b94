#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/builder/ast.h"
#include "platform/builder/source_path.h"

namespace tavrello::builder {

// The visual model of a query: what the diagram, the columns pane and the
// query structure tree show. It is derived from the syntax tree after every
// change and never edited itself; each entry carries the anchors (positions
// in the syntax tree) that the editing operations use.

// The columns of a table or view as the catalog knows them; an empty list
// when the catalog does not know the object.
using ColumnLookup = std::function<std::vector<std::string>(const Name& object)>;

struct SourceColumn {
  std::string name;  // "*" for the all-columns entry at the top of a box
  bool checked = false;
};

// One box of the diagram.
struct DataSource {
  std::string title;          // orders AS o
  Identifier reference;       // o: the name that qualifies its columns
  TableSource::Kind kind = TableSource::Kind::Table;
  std::vector<SourceColumn> columns;
  SourcePath path;
};

// One line of the diagram: an equality between columns of two sources, in a
// join's ON condition or (for sources listed with commas) in WHERE.
struct JoinLink {
  std::size_t leftSource = 0, rightSource = 0;
  std::string leftColumn, rightColumn;
  JoinType type = JoinType::Inner;
  bool inWhere = false;
  SourcePath stepPath;  // the join step that holds the condition
  std::size_t conjunct = 0;
};

enum class SortType { None, Ascending, Descending };

// One row of the columns pane. Output rows are the select list; the others
// only sort or filter.
struct ColumnRow {
  std::string expression;  // without the aggregate around it
  std::string aggregate;   // "", COUNT, SUM, AVG, MIN, MAX
  std::string alias;
  bool output = false;
  SortType sort = SortType::None;
  int sortOrder = 0;       // 1-based position in ORDER BY, 0 when not sorted
  std::string criteria;    // "> 10", "LIKE 'A%'", ...

  Expr expr;               // the whole expression, aggregate included
  int selectIndex = -1;
  int orderIndex = -1;
  int criterionIndex = -1;
  bool criterionInHaving = false;
};

// One operand of the statement's UNION/INTERSECT/EXCEPT chain.
struct QueryPart {
  std::string setOperator;  // "" for the first, else UNION ALL, EXCEPT, ...
  bool editable = false;    // a SELECT the diagram can show
};

struct QueryModel {
  std::vector<QueryPart> parts;
  std::size_t activePart = 0;
  bool distinct = false;
  std::vector<DataSource> sources;
  std::vector<JoinLink> links;
  std::vector<ColumnRow> rows;

  // Builds the model of the part activePart (clamped) of query.
  static QueryModel build(const std::optional<Query>& query, std::size_t activePart, const ColumnLookup& lookup);
};

// The SELECT of a part, or nullptr when the part is VALUES or a
// parenthesised query.
const SelectCore* selectOfPart(const Query& query, std::size_t part);
SelectCore* selectOfPart(Query& query, std::size_t part);

}  // namespace tavrello::builder
