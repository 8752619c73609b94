#include "platform/builder/query_model.h"

#include "platform/builder/column_rows.h"

#include <algorithm>

#include "platform/builder/expression_match.h"
#include "platform/builder/formatter.h"
#include "platform/builder/text_util.h"

namespace tavrello::builder {

namespace {

bool containsName(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return equalsIgnoreCase(n, name); });
}

// The output names of a query's first SELECT: aliases, else column names.
std::vector<std::string> outputNames(const Query& query) {
  std::vector<std::string> names;
  const SelectCore* core = selectOfPart(query, 0);
  if (!core) return names;
  for (const SelectItem& item : core->items) {
    if (!item.alias.empty()) {
      names.push_back(item.alias.name);
    } else if (item.expr.kind == ExprKind::Column) {
      names.push_back(item.expr.name.back().name);
    }
  }
  return names;
}

void collectColumns(const Expr& expr, const Identifier& ref, bool unqualifiedToo, std::vector<std::string>& out) {
  if (expr.kind == ExprKind::Column) {
    bool mine = expr.name.size() >= 2 ? sameName(expr.name[expr.name.size() - 2], ref) : unqualifiedToo;
    if (mine && !containsName(out, expr.name.back().name)) out.push_back(expr.name.back().name);
    return;
  }
  for (const Expr& arg : expr.args) collectColumns(arg, ref, unqualifiedToo, out);
  if (expr.call) {
    for (const Expr& arg : expr.call->args) collectColumns(arg, ref, unqualifiedToo, out);
  }
}

// Columns the statement itself uses of a source the catalog does not know.
std::vector<std::string> usedColumns(const Query& query, const SelectCore& core, const Identifier& ref,
                                     bool single) {
  std::vector<std::string> out;
  auto take = [&](const Expr& e) { collectColumns(e, ref, single, out); };
  for (const SelectItem& item : core.items) take(item.expr);
  if (core.where) take(*core.where);
  for (const Expr& e : core.groupBy) take(e);
  if (core.having) take(*core.having);
  for (const FromItem& item : core.from) {
    for (const JoinStep& step : item.joins) {
      if (step.on) take(*step.on);
    }
  }
  for (const OrderItem& item : query.orderBy) take(item.expr);
  return out;
}

std::vector<std::string> sourceColumns(const Query& query, const SelectCore& core, const TableSource& source,
                                       bool single, const ColumnLookup& lookup) {
  if (!source.columnAliases.empty()) {
    std::vector<std::string> names;
    for (const Identifier& id : source.columnAliases) names.push_back(id.name);
    return names;
  }
  if (source.kind == TableSource::Kind::Subquery) return outputNames(*source.query);
  if (source.kind == TableSource::Kind::Table) {
    if (source.name.size() == 1) {
      for (const CommonTable& cte : query.with) {
        if (!sameName(cte.name, source.name[0])) continue;
        if (cte.columns.empty()) return outputNames(*cte.query);
        std::vector<std::string> names;
        for (const Identifier& id : cte.columns) names.push_back(id.name);
        return names;
      }
    }
    if (lookup) {
      auto known = lookup(source.name);
      if (!known.empty()) return known;
    }
  }
  return usedColumns(query, core, referenceName(source), single);
}

std::string sourceTitle(const TableSource& source) {
  std::string title;
  switch (source.kind) {
    case TableSource::Kind::Table: title = formatName(source.name); break;
    case TableSource::Kind::Function: title = formatExpression(*source.function); break;
    case TableSource::Kind::Subquery: title = "(subquery)"; break;
    case TableSource::Kind::Nested: break;
  }
  if (!source.alias.empty()) title += " AS " + formatIdentifier(source.alias);
  return title;
}

void buildSources(QueryModel& model, const Query& query, const SelectCore& core, const ColumnLookup& lookup) {
  auto paths = listSources(core);
  bool single = paths.size() == 1;
  for (const SourcePath& path : paths) {
    const TableSource& source = *findSource(core, path);
    DataSource box;
    box.title = sourceTitle(source);
    box.reference = referenceName(source);
    box.kind = source.kind;
    box.path = path;
    std::vector<std::string> names{"*"};
    for (std::string& n : sourceColumns(query, core, source, single, lookup)) {
      if (n != "*") names.push_back(std::move(n));
    }
    for (std::string& name : names) {
      bool checked = std::any_of(core.items.begin(), core.items.end(), [&](const SelectItem& item) {
        return showsColumn(item.expr, box.reference, name, single);
      });
      box.columns.push_back({std::move(name), checked});
    }
    model.sources.push_back(std::move(box));
  }
}

// Which source a qualified column belongs to.
std::optional<std::size_t> sourceOf(const QueryModel& model, const Expr& column) {
  if (column.kind != ExprKind::Column || column.name.size() < 2) return std::nullopt;
  const Identifier& qualifier = column.name[column.name.size() - 2];
  for (std::size_t i = 0; i < model.sources.size(); ++i) {
    if (sameName(model.sources[i].reference, qualifier)) return i;
  }
  return std::nullopt;
}

void addLinks(QueryModel& model, const Box<Expr>& condition, JoinType type, bool inWhere, const SourcePath& step) {
  auto parts = splitConjuncts(condition);
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const Expr& part = parts[k];
    if (part.kind != ExprKind::Binary || part.text != "=") continue;
    auto left = sourceOf(model, part.args[0]);
    auto right = sourceOf(model, part.args[1]);
    if (!left || !right || *left == *right) continue;
    model.links.push_back({*left, *right, part.args[0].name.back().name, part.args[1].name.back().name, type,
                           inWhere, step, k});
  }
}

void addChainLinks(QueryModel& model, const FromItem& chain, SourcePath& prefix) {
  auto nested = [&](const TableSource& source, std::size_t position) {
    if (source.kind != TableSource::Kind::Nested) return;
    prefix.push_back(position);
    addChainLinks(model, *source.nested, prefix);
    prefix.pop_back();
  };
  nested(chain.first, 0);
  for (std::size_t k = 0; k < chain.joins.size(); ++k) {
    const JoinStep& step = chain.joins[k];
    prefix.push_back(k + 1);
    addLinks(model, step.on, step.type, false, prefix);
    prefix.pop_back();
    nested(step.source, k + 1);
  }
}

void buildLinks(QueryModel& model, const SelectCore& core) {
  for (std::size_t i = 0; i < core.from.size(); ++i) {
    SourcePath prefix{i};
    addChainLinks(model, core.from[i], prefix);
  }
  addLinks(model, core.where, JoinType::Inner, true, {});
}

}  // namespace

const SelectCore* selectOfPart(const Query& query, std::size_t part) {
  const QueryTerm* term = part == 0 ? &query.first : part <= query.rest.size() ? &query.rest[part - 1].term : nullptr;
  if (!term || term->kind != QueryTerm::Kind::Select) return nullptr;
  return &term->select;
}

SelectCore* selectOfPart(Query& query, std::size_t part) {
  return const_cast<SelectCore*>(selectOfPart(static_cast<const Query&>(query), part));
}

QueryModel QueryModel::build(const std::optional<Query>& query, std::size_t activePart, const ColumnLookup& lookup) {
  QueryModel model;
  if (!query) return model;
  model.parts.push_back({"", query->first.kind == QueryTerm::Kind::Select});
  for (const SetOperation& op : query->rest) {
    model.parts.push_back({op.quantifier.empty() ? op.op : op.op + " " + op.quantifier,
                           op.term.kind == QueryTerm::Kind::Select});
  }
  model.activePart = std::min(activePart, model.parts.size() - 1);
  const SelectCore* core = selectOfPart(*query, model.activePart);
  if (!core) return model;
  model.distinct = core->quantifier == "DISTINCT";
  buildSources(model, *query, *core, lookup);
  buildLinks(model, *core);
  buildColumnRows(model, *query, *core);
  return model;
}

}  // namespace tavrello::builder
