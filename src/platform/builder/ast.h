#pragma once

#include <string>
#include <vector>

#include "platform/builder/box.h"
#include "platform/builder/token.h"

// The syntax tree of a SELECT-family statement. The parser builds it, the
// formatter prints it, and the query model edits it. Every part of a
// statement is held, including what the visual model cannot show, so a
// statement always formats and runs. Keywords are stored upper-cased and
// names as written, which makes parse(format(q)) == q hold exactly.

namespace tavrello::builder {

struct Identifier {
  std::string name;  // without quotes
  QuoteStyle quote = QuoteStyle::None;

  bool empty() const { return name.empty(); }
  bool operator==(const Identifier&) const = default;
};

// A possibly qualified name: schema.table, table.column, ...
using Name = std::vector<Identifier>;

// Case-insensitive comparison of names, whatever their quoting.
bool sameName(const Identifier& a, const Identifier& b);
bool sameName(const Name& a, const Name& b);

struct Query;
struct TypeName;
struct Call;

enum class ExprKind {
  Empty,            // an absent optional part (CASE without operand or ELSE)
  Literal,          // text: number, string or NULL/TRUE/FALSE as written
  Parameter,        // text: ?, :name, @name, $1
  Column,           // name
  Star,             // name: the qualifier, empty for a bare *
  Unary,            // text: -, +, ~, NOT; args[0]
  Binary,           // text: the operator (AND, OR, =, ||, ...); args[0], args[1]
  Like,             // text: LIKE, ILIKE, GLOB, REGEXP, RLIKE, MATCH, SIMILAR TO; negated;
                    // args[0], args[1], and args[2] for ESCAPE
  Is,               // negated; args[0]; text NULL/TRUE/FALSE/UNKNOWN, or DISTINCT FROM with args[1]
  Postfix,          // text: ISNULL or NOTNULL; args[0]
  Between,          // negated; text "" or SYMMETRIC; args[0] BETWEEN args[1] AND args[2]
  InList,           // negated; args[0] IN (args[1], ...)
  InQuery,          // negated; args[0] IN (query)
  Quantified,       // text: ANY, ALL, SOME; query, or args[0] (an array expression)
  Function,         // name; call
  Cast,             // text: CAST, TRY_CAST, SAFE_CAST; args[0]; type
  DoubleColonCast,  // args[0]::type
  Case,             // args[0] operand or Empty, args[1] ELSE or Empty, then WHEN/THEN pairs
  Subquery,         // (query)
  Exists,           // EXISTS (query)
  Paren,            // (args[0], ...): grouping or a row value
  TypedLiteral,     // text: DATE, TIME, TIMESTAMP; args[0] the string
  Interval,         // INTERVAL args[0] text (unit words, possibly empty)
  Collate,          // args[0] COLLATE name
};

struct Expr {
  ExprKind kind = ExprKind::Empty;
  std::string text;
  Name name;
  std::vector<Expr> args;
  bool negated = false;
  Box<Query> query;
  Box<TypeName> type;
  Box<Call> call;

  bool operator==(const Expr&) const = default;
};

struct TypeName {
  Name name;                // bare words upper-cased; may be schema-qualified
  std::vector<std::string> moreWords;  // PRECISION, VARYING, WITH TIME ZONE, ...
  std::vector<Expr> params; // VARCHAR(20), NUMERIC(10, 2)
  int arrayDimensions = 0;  // INTEGER[]

  bool operator==(const TypeName&) const = default;
};

struct OrderItem {
  Expr expr;
  std::string direction;  // "", ASC, DESC
  std::string nulls;      // "", NULLS FIRST, NULLS LAST

  bool operator==(const OrderItem&) const = default;
};

struct FrameBound {
  std::string kind;  // UNBOUNDED PRECEDING, UNBOUNDED FOLLOWING, CURRENT ROW, PRECEDING, FOLLOWING
  Box<Expr> offset;  // for n PRECEDING / n FOLLOWING

  bool operator==(const FrameBound&) const = default;
};

struct WindowSpec {
  bool parenthesized = true;  // false: OVER name
  Identifier name;            // the window named, or the base window inside the parentheses
  std::vector<Expr> partitionBy;
  std::vector<OrderItem> orderBy;
  std::string frameUnits;  // "", ROWS, RANGE, GROUPS
  bool frameBetween = false;
  FrameBound frameStart, frameEnd;

  bool operator==(const WindowSpec&) const = default;
};

struct Call {
  std::string quantifier;             // "", DISTINCT, ALL
  std::vector<Expr> args;
  std::vector<std::string> keywords;  // per argument: the keywords written before it,
                                      // "" for the first or a comma-separated one
  std::vector<OrderItem> orderBy;     // STRING_AGG(x, ',' ORDER BY y)
  std::size_t orderByAfter = 0;       // how many arguments come before that ORDER BY
  bool withinGroup = false;
  std::vector<OrderItem> withinGroupOrder;
  Box<Expr> filter;
  Box<WindowSpec> over;

  bool operator==(const Call&) const = default;
};

enum class JoinType { Inner, Left, Right, Full, Cross, CrossApply, OuterApply };

struct FromItem;

struct TableSource {
  enum class Kind { Table, Subquery, Function, Nested };
  Kind kind = Kind::Table;
  bool lateral = false;
  Name name;             // Table
  Box<Query> query;      // Subquery
  Box<Expr> function;    // Function: a Function expression
  Box<FromItem> nested;  // Nested: a parenthesised join
  bool withOrdinality = false;
  Identifier alias;
  std::vector<Identifier> columnAliases;
  std::vector<Expr> hints;  // WITH (NOLOCK)

  bool operator==(const TableSource&) const = default;
};

struct JoinStep {
  JoinType type = JoinType::Inner;
  bool natural = false;
  TableSource source;
  Box<Expr> on;
  std::vector<Identifier> usingColumns;

  bool operator==(const JoinStep&) const = default;
};

// One entry of the FROM list: a source and the chain of joins after it.
struct FromItem {
  TableSource first;
  std::vector<JoinStep> joins;

  bool operator==(const FromItem&) const = default;
};

struct SelectItem {
  Expr expr;
  Identifier alias;  // empty when none

  bool operator==(const SelectItem&) const = default;
};

struct NamedWindow {
  Identifier name;
  WindowSpec spec;

  bool operator==(const NamedWindow&) const = default;
};

struct SelectCore {
  std::string quantifier;  // "", DISTINCT, ALL
  bool distinctOn = false;
  std::vector<Expr> distinctOnExprs;
  Box<Expr> top;           // SQL Server TOP n
  bool topPercent = false;
  bool topWithTies = false;
  std::vector<SelectItem> items;
  bool hasFrom = false;    // a FROM clause is written, even when its list is empty
  std::vector<FromItem> from;
  Box<Expr> where;
  std::vector<Expr> groupBy;
  bool withRollup = false;  // MariaDB GROUP BY ... WITH ROLLUP
  Box<Expr> having;
  std::vector<NamedWindow> windows;

  bool operator==(const SelectCore&) const = default;
};

// One operand of a chain of set operations.
struct QueryTerm {
  enum class Kind { Select, Values, Nested };
  Kind kind = Kind::Select;
  SelectCore select;
  std::vector<std::vector<Expr>> rows;  // VALUES
  Box<Query> nested;                    // a parenthesised query

  bool operator==(const QueryTerm&) const = default;
};

struct SetOperation {
  std::string op;          // UNION, INTERSECT, EXCEPT
  std::string quantifier;  // "", ALL, DISTINCT
  QueryTerm term;

  bool operator==(const SetOperation&) const = default;
};

struct CommonTable {
  Identifier name;
  std::vector<Identifier> columns;
  std::string materialized;  // "", MATERIALIZED, NOT MATERIALIZED
  Box<Query> query;

  bool operator==(const CommonTable&) const = default;
};

// The row limit in whichever form the statement wrote it.
struct RowLimit {
  enum class Style {
    None,
    Limit,        // LIMIT count [OFFSET offset]
    LimitComma,   // LIMIT offset, count
    OffsetFetch,  // OFFSET offset ROWS [FETCH FIRST count ROWS ONLY]
  };
  Style style = Style::None;
  Box<Expr> count;
  Box<Expr> offset;
  std::string offsetUnit;  // "", ROW, ROWS
  std::string fetchWord;   // FIRST or NEXT; empty when there is no FETCH
  std::string fetchUnit;   // ROW or ROWS
  bool withTies = false;

  bool operator==(const RowLimit&) const = default;
};

struct Query {
  bool recursive = false;
  std::vector<CommonTable> with;
  QueryTerm first;
  std::vector<SetOperation> rest;
  std::vector<OrderItem> orderBy;
  RowLimit limit;
  // FOR UPDATE, FOR XML PATH(''), ...: groups of words separated by commas.
  std::vector<std::vector<Expr>> forClause;

  bool operator==(const Query&) const = default;
};

}  // namespace tavrello::builder
