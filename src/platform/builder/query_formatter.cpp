#include "platform/builder/formatter.h"
#include "platform/builder/formatter_impl.h"

namespace tavrello::builder {

namespace detail {

namespace {

void writeIdentifierList(Layout& out, const std::vector<Identifier>& names) {
  out.text("(");
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out.text(", ");
    out.text(formatIdentifier(names[i]));
  }
  out.text(")");
}

void writeFromItem(Layout& out, const FromItem& item, int depth);

void writeSource(Layout& out, const TableSource& source, int depth) {
  if (source.lateral) out.text("LATERAL ");
  switch (source.kind) {
    case TableSource::Kind::Table:
      out.text(formatName(source.name));
      break;
    case TableSource::Kind::Function:
      writeExpr(out, *source.function, depth);
      if (source.withOrdinality) out.text(" WITH ORDINALITY");
      break;
    case TableSource::Kind::Subquery:
      out.text("(");
      writeQuery(out, *source.query, depth + 1);
      out.text(")");
      break;
    case TableSource::Kind::Nested:
      out.text("(");
      writeFromItem(out, *source.nested, depth);
      out.text(")");
      break;
  }
  if (!source.alias.empty()) {
    out.text(" AS " + formatIdentifier(source.alias));
    if (!source.columnAliases.empty()) writeIdentifierList(out, source.columnAliases);
  }
  if (!source.hints.empty()) {
    out.text(" WITH (");
    writeExprList(out, source.hints, depth, false);
    out.text(")");
  }
}

const char* joinWords(JoinType type) {
  switch (type) {
    case JoinType::Inner: return "INNER JOIN ";
    case JoinType::Left: return "LEFT JOIN ";
    case JoinType::Right: return "RIGHT JOIN ";
    case JoinType::Full: return "FULL JOIN ";
    case JoinType::Cross: return "CROSS JOIN ";
    case JoinType::CrossApply: return "CROSS APPLY ";
    case JoinType::OuterApply: return "OUTER APPLY ";
  }
  return "JOIN ";
}

void writeFromItem(Layout& out, const FromItem& item, int depth) {
  writeSource(out, item.first, depth);
  for (const JoinStep& step : item.joins) {
    out.softBreak(continuationIndent(depth));
    if (step.natural) out.text("NATURAL ");
    out.text(joinWords(step.type));
    writeSource(out, step.source, depth);
    if (step.on) {
      out.text(" ON ");
      writeExpr(out, *step.on, depth);
    } else if (!step.usingColumns.empty()) {
      out.text(" USING ");
      writeIdentifierList(out, step.usingColumns);
    }
  }
}

void clause(Layout& out, int depth, const char* keyword) {
  out.clauseBreak(clauseIndent(depth));
  out.text(keyword);
}

void writeSelectCore(Layout& out, const SelectCore& core, int depth) {
  out.text("SELECT ");
  if (!core.quantifier.empty()) out.text(core.quantifier + " ");
  if (core.distinctOn) {
    out.text("DISTINCT ON (");
    writeExprList(out, core.distinctOnExprs, depth, false);
    out.text(") ");
  }
  if (core.top) {
    out.text("TOP ");
    writeExpr(out, *core.top, depth);
    out.text(core.topPercent ? " PERCENT " : " ");
    if (core.topWithTies) out.text("WITH TIES ");
  }
  for (std::size_t i = 0; i < core.items.size(); ++i) {
    if (i > 0) {
      out.text(",");
      out.softBreak(continuationIndent(depth));
    }
    writeExpr(out, core.items[i].expr, depth);
    if (!core.items[i].alias.empty()) out.text(" AS " + formatIdentifier(core.items[i].alias));
  }
  if (core.hasFrom) {
    clause(out, depth, "FROM");
    for (std::size_t i = 0; i < core.from.size(); ++i) {
      if (i > 0) {
        out.text(",");
        out.softBreak(continuationIndent(depth));
      } else {
        out.text(" ");
      }
      writeFromItem(out, core.from[i], depth);
    }
  }
  if (core.where) {
    clause(out, depth, "WHERE ");
    writeExpr(out, *core.where, depth);
  }
  if (!core.groupBy.empty()) {
    clause(out, depth, "GROUP BY ");
    writeExprList(out, core.groupBy, depth, true);
    if (core.withRollup) out.text(" WITH ROLLUP");
  }
  if (core.having) {
    clause(out, depth, "HAVING ");
    writeExpr(out, *core.having, depth);
  }
  if (!core.windows.empty()) {
    clause(out, depth, "WINDOW ");
    for (std::size_t i = 0; i < core.windows.size(); ++i) {
      if (i > 0) {
        out.text(",");
        out.softBreak(continuationIndent(depth));
      }
      out.text(formatIdentifier(core.windows[i].name) + " AS ");
      writeWindow(out, core.windows[i].spec, depth);
    }
  }
}

void writeTerm(Layout& out, const QueryTerm& term, int depth) {
  switch (term.kind) {
    case QueryTerm::Kind::Select:
      writeSelectCore(out, term.select, depth);
      return;
    case QueryTerm::Kind::Values:
      out.text("VALUES ");
      for (std::size_t i = 0; i < term.rows.size(); ++i) {
        if (i > 0) {
          out.text(",");
          out.softBreak(continuationIndent(depth));
        }
        out.text("(");
        writeExprList(out, term.rows[i], depth, false);
        out.text(")");
      }
      return;
    case QueryTerm::Kind::Nested:
      out.text("(");
      writeQuery(out, *term.nested, depth + 1);
      out.text(")");
      return;
  }
}

void writeLimit(Layout& out, const RowLimit& limit, int depth) {
  switch (limit.style) {
    case RowLimit::Style::None:
      return;
    case RowLimit::Style::Limit:
      clause(out, depth, "LIMIT ");
      writeExpr(out, *limit.count, depth);
      if (limit.offset) {
        out.text(" OFFSET ");
        writeExpr(out, *limit.offset, depth);
      }
      return;
    case RowLimit::Style::LimitComma:
      clause(out, depth, "LIMIT ");
      writeExpr(out, *limit.offset, depth);
      out.text(", ");
      writeExpr(out, *limit.count, depth);
      return;
    case RowLimit::Style::OffsetFetch:
      if (limit.offset) {
        clause(out, depth, "OFFSET ");
        writeExpr(out, *limit.offset, depth);
        if (!limit.offsetUnit.empty()) out.text(" " + limit.offsetUnit);
      }
      if (!limit.fetchWord.empty()) {
        clause(out, depth, "FETCH ");
        out.text(limit.fetchWord + " ");
        if (limit.count) {
          writeExpr(out, *limit.count, depth);
          out.text(" ");
        }
        out.text(limit.fetchUnit + (limit.withTies ? " WITH TIES" : " ONLY"));
      }
      return;
  }
}

}  // namespace

void writeQuery(Layout& out, const Query& query, int depth) {
  if (!query.with.empty()) {
    out.text(query.recursive ? "WITH RECURSIVE " : "WITH ");
    for (std::size_t i = 0; i < query.with.size(); ++i) {
      const CommonTable& cte = query.with[i];
      if (i > 0) {
        out.text(",");
        out.softBreak(continuationIndent(depth));
      }
      out.text(formatIdentifier(cte.name));
      if (!cte.columns.empty()) writeIdentifierList(out, cte.columns);
      out.text(" AS ");
      if (!cte.materialized.empty()) out.text(cte.materialized + " ");
      out.text("(");
      writeQuery(out, *cte.query, depth + 1);
      out.text(")");
    }
    out.clauseBreak(clauseIndent(depth));
  }
  writeTerm(out, query.first, depth);
  for (const SetOperation& op : query.rest) {
    clause(out, depth, op.op.c_str());
    if (!op.quantifier.empty()) out.text(" " + op.quantifier);
    out.clauseBreak(clauseIndent(depth));
    writeTerm(out, op.term, depth);
  }
  if (!query.orderBy.empty()) {
    clause(out, depth, "ORDER BY ");
    writeOrderList(out, query.orderBy, depth, true);
  }
  writeLimit(out, query.limit, depth);
  if (!query.forClause.empty()) {
    clause(out, depth, "FOR ");
    for (std::size_t g = 0; g < query.forClause.size(); ++g) {
      if (g > 0) out.text(", ");
      for (std::size_t i = 0; i < query.forClause[g].size(); ++i) {
        if (i > 0) out.text(" ");
        writeExpr(out, query.forClause[g][i], depth);
      }
    }
  }
}

}  // namespace detail

std::string formatStatement(const std::optional<Query>& query, std::size_t rightMargin) {
  if (!query) return {};
  Layout out;
  detail::writeQuery(out, *query, 0);
  return out.layout(rightMargin);
}

}  // namespace tavrello::builder
