#include "platform/builder/expression_match.h"
#include "platform/builder/keywords.h"
#include "platform/builder/query_editor.h"
#include "platform/builder/source_path.h"

namespace tavrello::builder {

namespace {

bool hasCondition(JoinType type) {
  return type == JoinType::Inner || type == JoinType::Left || type == JoinType::Right || type == JoinType::Full;
}

void addCondition(JoinStep& step, Expr condition) {
  if (step.natural || !step.usingColumns.empty()) {
    throw Failure::invalidCall("This join is written with NATURAL or USING; change its condition in the statement text");
  }
  if (step.type == JoinType::CrossApply || step.type == JoinType::OuterApply) {
    throw Failure::invalidCall("An APPLY has no join condition");
  }
  if (step.type == JoinType::Cross) step.type = JoinType::Inner;
  auto parts = splitConjuncts(step.on);
  parts.push_back(std::move(condition));
  step.on = joinConjuncts(std::move(parts));
}

// Drops the parts of a join condition that refer to ref; a join left
// without condition becomes a CROSS JOIN.
void cleanChain(FromItem& chain, const Identifier& ref) {
  auto cleanSource = [&](TableSource& source) {
    if (source.kind == TableSource::Kind::Nested) cleanChain(*source.nested, ref);
  };
  cleanSource(chain.first);
  for (JoinStep& step : chain.joins) {
    cleanSource(step.source);
    if (!step.on) continue;
    auto parts = splitConjuncts(step.on);
    std::erase_if(parts, [&](const Expr& e) { return referencesSource(e, ref, false); });
    step.on = joinConjuncts(std::move(parts));
    if (!step.on && hasCondition(step.type)) step.type = JoinType::Cross;
  }
}

// A parenthesised join reduced to one source is that source.
void unwrapNested(FromItem& chain) {
  auto unwrap = [](TableSource& source) {
    if (source.kind != TableSource::Kind::Nested) return;
    unwrapNested(*source.nested);
    if (source.nested->joins.empty()) {
      TableSource inner = std::move(source.nested->first);
      source = std::move(inner);
    }
  };
  unwrap(chain.first);
  for (JoinStep& step : chain.joins) unwrap(step.source);
}

// Takes the source at path out of its chain. When it heads a chain, the next
// source moves to the front; what that join's condition says about other
// sources still holds, so it moves to WHERE.
void removeSource(SelectCore& c, const SourcePath& path, const Identifier& ref) {
  FromItem* chain = findChain(c, path);
  std::size_t position = path.back();
  if (position > 0) {
    chain->joins.erase(chain->joins.begin() + static_cast<long>(position - 1));
  } else if (!chain->joins.empty()) {
    JoinStep next = std::move(chain->joins.front());
    chain->joins.erase(chain->joins.begin());
    chain->first = std::move(next.source);
    auto parts = splitConjuncts(next.on);
    std::erase_if(parts, [&](const Expr& e) { return referencesSource(e, ref, false); });
    auto where = splitConjuncts(c.where);
    for (Expr& part : parts) where.push_back(std::move(part));
    c.where = joinConjuncts(std::move(where));
  } else if (path.size() == 2) {
    c.from.erase(c.from.begin() + static_cast<long>(path[0]));
  } else {
    removeSource(c, SourcePath(path.begin(), path.end() - 1), ref);
  }
}

}  // namespace

Identifier makeIdentifier(std::string_view name, QuoteStyle preferredQuote) {
  return {std::string(name), needsQuoting(name) ? preferredQuote : QuoteStyle::None};
}

QueryEditor::QueryEditor(std::optional<Query>& query, const QueryModel& model, QuoteStyle preferredQuote)
    : query_(query), model_(model), quote_(preferredQuote == QuoteStyle::None ? QuoteStyle::Double : preferredQuote) {}

SelectCore& QueryEditor::core() {
  if (!query_) throw Failure::invalidCall("There is no query; add a table first");
  SelectCore* core = selectOfPart(*query_, model_.activePart);
  if (!core) throw Failure::invalidCall("This part of the query is not a SELECT and can only be changed as text");
  return *core;
}

const DataSource& QueryEditor::source(std::size_t index) const {
  if (index >= model_.sources.size()) throw Failure::invalidCall("There is no data source " + std::to_string(index));
  return model_.sources[index];
}

const JoinLink& QueryEditor::link(std::size_t index) const {
  if (index >= model_.links.size()) throw Failure::invalidCall("There is no join " + std::to_string(index));
  return model_.links[index];
}

void QueryEditor::addDataSource(const Name& object) {
  if (object.empty()) throw Failure::invalidCall("A data source needs a name");
  if (!query_) {
    Query query;
    query.first.select.items.push_back({starExpr({}), {}});
    query_ = std::move(query);
  }
  SelectCore& c = core();
  auto taken = [&](const Identifier& id) {
    for (const DataSource& s : model_.sources) {
      if (sameName(s.reference, id)) return true;
    }
    return false;
  };
  TableSource source;
  source.name = object;
  if (taken(object.back())) {
    for (int n = 1;; ++n) {
      Identifier alias = makeIdentifier(object.back().name + std::to_string(n), quote_);
      if (!taken(alias)) {
        source.alias = alias;
        break;
      }
    }
  }
  c.hasFrom = true;
  c.from.push_back({std::move(source), {}});
}

void QueryEditor::removeDataSource(std::size_t index) {
  const DataSource& box = source(index);
  Identifier ref = box.reference;
  bool lastOne = model_.sources.size() == 1;
  SelectCore& c = core();
  removeSource(c, box.path, ref);
  for (FromItem& item : c.from) {
    cleanChain(item, ref);
    unwrapNested(item);
  }
  removeReferences(ref, lastOne);
}

void QueryEditor::removeReferences(const Identifier& ref, bool unqualifiedToo) {
  SelectCore& c = core();
  auto refers = [&](const Expr& e) { return referencesSource(e, ref, unqualifiedToo); };
  auto where = splitConjuncts(c.where);
  std::erase_if(where, refers);
  c.where = joinConjuncts(std::move(where));
  auto having = splitConjuncts(c.having);
  std::erase_if(having, refers);
  c.having = joinConjuncts(std::move(having));
  std::erase_if(c.groupBy, refers);
  for (std::size_t i = c.items.size(); i-- > 0;) {
    if (refers(c.items[i].expr)) removeSelectItem(i);
  }
  std::erase_if(query_->orderBy, [&](const OrderItem& item) { return refers(item.expr); });
  ensureSelectList();
}

void QueryEditor::setColumnChecked(std::size_t index, std::string_view column, bool checked) {
  const DataSource& box = source(index);
  bool single = model_.sources.size() == 1;
  SelectCore& c = core();
  if (!checked) {
    for (std::size_t i = c.items.size(); i-- > 0;) {
      if (showsColumn(c.items[i].expr, box.reference, column, single)) removeSelectItem(i);
    }
    ensureSelectList();
    return;
  }
  for (const SelectItem& item : c.items) {
    if (showsColumn(item.expr, box.reference, column, single)) return;
  }
  Expr expr = column == "*" ? starExpr({box.reference}) : columnExpr({box.reference, makeIdentifier(column, quote_)});
  bool onlyBareStar = c.items.size() == 1 && c.items[0].expr.kind == ExprKind::Star && c.items[0].expr.name.empty();
  if (onlyBareStar) c.items.clear();
  c.items.push_back({std::move(expr), {}});
}

void QueryEditor::joinSources(std::size_t left, std::string_view leftColumn, std::size_t right,
                              std::string_view rightColumn) {
  const DataSource& a = source(left);
  const DataSource& b = source(right);
  if (left == right) throw Failure::invalidCall("A data source cannot be joined with itself; add it a second time");
  if (a.path.size() != 2 || b.path.size() != 2) {
    throw Failure::invalidCall("Sources inside parenthesised joins can only be joined in the statement text");
  }
  Expr condition = equalsExpr(columnExpr({a.reference, makeIdentifier(leftColumn, quote_)}),
                              columnExpr({b.reference, makeIdentifier(rightColumn, quote_)}));
  SelectCore& c = core();
  if (a.path[0] == b.path[0]) {
    std::size_t later = std::max(a.path[1], b.path[1]);
    addCondition(c.from[a.path[0]].joins[later - 1], std::move(condition));
    return;
  }
  // Sources listed with commas: the later list entry joins the earlier one.
  const DataSource& moved = a.path[0] > b.path[0] ? a : b;
  std::size_t target = std::min(a.path[0], b.path[0]);
  FromItem chain = std::move(c.from[moved.path[0]]);
  c.from.erase(c.from.begin() + static_cast<long>(moved.path[0]));
  FromItem& into = c.from[target];
  std::size_t base = into.joins.size();
  JoinStep head;
  head.type = JoinType::Cross;
  head.source = std::move(chain.first);
  into.joins.push_back(std::move(head));
  for (JoinStep& step : chain.joins) into.joins.push_back(std::move(step));
  addCondition(into.joins[base + moved.path[1]], std::move(condition));
}

void QueryEditor::setJoinType(std::size_t index, JoinType type) {
  const JoinLink& l = link(index);
  if (l.inWhere) throw Failure::invalidCall("These sources are joined in WHERE; draw the join again to make it a JOIN");
  if (!hasCondition(type)) throw Failure::invalidCall("A join line is an INNER, LEFT, RIGHT or FULL join");
  findJoinStep(core(), l.stepPath)->type = type;
}

void QueryEditor::removeJoin(std::size_t index) {
  const JoinLink& l = link(index);
  SelectCore& c = core();
  Box<Expr>& condition = l.inWhere ? c.where : findJoinStep(c, l.stepPath)->on;
  auto parts = splitConjuncts(condition);
  parts.erase(parts.begin() + static_cast<long>(l.conjunct));
  condition = joinConjuncts(std::move(parts));
  if (!l.inWhere && !condition) findJoinStep(c, l.stepPath)->type = JoinType::Cross;
}

void QueryEditor::setDistinct(bool distinct) { core().quantifier = distinct ? "DISTINCT" : ""; }

}  // namespace tavrello::builder
