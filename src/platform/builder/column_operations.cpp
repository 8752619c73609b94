#include <algorithm>

#include "platform/builder/expression_match.h"
#include "platform/builder/formatter.h"
#include "platform/builder/keywords.h"
#include "platform/builder/parser.h"
#include "platform/builder/query_editor.h"
#include "platform/builder/text_util.h"
#include "platform/builder/tokenizer.h"

namespace tavrello::builder {

namespace {

std::string trimmed(std::string_view text) {
  std::size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return {};
  std::size_t end = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(begin, end - begin + 1));
}

bool startsWithOperator(std::string_view criteria) {
  const Token first = tokenize(criteria).front();
  static const char* const kOperators[] = {"=", "==", "<>", "!=", "<", ">", "<=", ">="};
  static const char* const kWords[] = {"LIKE", "ILIKE", "NOT", "IN",      "BETWEEN", "IS",    "GLOB",
                                       "REGEXP", "RLIKE", "SIMILAR", "MATCH", "ISNULL", "NOTNULL"};
  for (const char* op : kOperators) {
    if (first.isOperator(op)) return true;
  }
  for (const char* word : kWords) {
    if (first.isWord(word)) return true;
  }
  return false;
}

// The condition the columns pane's criteria cell stands for.
Expr criterionFor(const Expr& subject, std::string_view criteria) {
  std::string text = formatExpression(subject) + (startsWithOperator(criteria) ? " " : " = ") + std::string(criteria);
  Expr condition;
  try {
    condition = parseExpression(text);
  } catch (const Failure& f) {
    throw Failure(f.number(), "The criteria '" + std::string(criteria) + "' cannot be used: " + f.description());
  }
  const Expr* tested = criterionSubject(condition);
  if (!tested || !sameExpression(*tested, subject)) {
    throw Failure::invalidCall("The criteria '" + std::string(criteria) +
                               "' must be one condition on the column, such as > 10 or LIKE 'A%'");
  }
  return condition;
}

Expr withAggregate(const std::string& aggregate, Expr inner) {
  return aggregate.empty() ? inner : callExpr(aggregate, std::move(inner));
}

}  // namespace

const ColumnRow& QueryEditor::row(std::size_t index) const {
  if (index >= model_.rows.size()) throw Failure::invalidCall("There is no column row " + std::to_string(index));
  return model_.rows[index];
}

void QueryEditor::ensureSelectList() {
  SelectCore& c = core();
  if (c.items.empty()) c.items.push_back({starExpr({}), {}});
}

// ORDER BY may name the item by its position or alias; those references
// are rewritten to the expression itself, and later positions move up.
void QueryEditor::removeSelectItem(std::size_t index) {
  SelectCore& c = core();
  SelectItem removed = std::move(c.items[index]);
  c.items.erase(c.items.begin() + static_cast<long>(index));
  for (OrderItem& item : query_->orderBy) {
    Expr& e = item.expr;
    bool digits = e.kind == ExprKind::Literal && !e.text.empty() && e.text.size() < 7 &&
                  std::all_of(e.text.begin(), e.text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    if (digits) {
      std::size_t position = std::stoul(e.text);
      if (position == index + 1) {
        e = removed.expr;
      } else if (position > index + 1) {
        e.text = std::to_string(position - 1);
      }
    } else if (e.kind == ExprKind::Column && e.name.size() == 1 && !removed.alias.empty() &&
               sameName(e.name[0], removed.alias)) {
      e = removed.expr;
    }
  }
}

void QueryEditor::setAlias(std::size_t index, std::string_view text) {
  const ColumnRow& r = row(index);
  if (r.selectIndex < 0) throw Failure::invalidCall("Only an output column has an alias");
  SelectItem& item = core().items[static_cast<std::size_t>(r.selectIndex)];
  std::string name = trimmed(text);
  Identifier alias;
  if (!name.empty()) {
    try {
      alias = parseAlias(name);
    } catch (const Failure&) {
      alias = {name, quote_};  // "Order Total" typed without quotes
    }
  }
  if (r.orderIndex >= 0) {
    Expr& ordered = query_->orderBy[static_cast<std::size_t>(r.orderIndex)].expr;
    if (ordered.kind == ExprKind::Column && ordered.name.size() == 1 && sameName(ordered.name[0], item.alias)) {
      ordered = alias.empty() ? item.expr : columnExpr({alias});
    }
  }
  item.alias = alias;
}

void QueryEditor::setOutput(std::size_t index, bool output) {
  const ColumnRow& r = row(index);
  if (output == (r.selectIndex >= 0)) return;
  if (output) {
    core().items.push_back({r.expr, {}});
    return;
  }
  if (r.orderIndex >= 0) query_->orderBy[static_cast<std::size_t>(r.orderIndex)].expr = r.expr;
  removeSelectItem(static_cast<std::size_t>(r.selectIndex));
  ensureSelectList();
}

void QueryEditor::setSort(std::size_t index, SortType sort) {
  const ColumnRow& r = row(index);
  auto& orderBy = query_->orderBy;
  if (sort == SortType::None) {
    if (r.orderIndex >= 0) orderBy.erase(orderBy.begin() + r.orderIndex);
    return;
  }
  std::string direction = sort == SortType::Descending ? "DESC" : "";
  if (r.orderIndex >= 0) {
    OrderItem& item = orderBy[static_cast<std::size_t>(r.orderIndex)];
    if (!(sort == SortType::Ascending && item.direction == "ASC")) item.direction = direction;
    return;
  }
  OrderItem item;
  item.expr = r.expr;
  if (r.selectIndex >= 0) {
    const Identifier& alias = core().items[static_cast<std::size_t>(r.selectIndex)].alias;
    if (!alias.empty() && alias.quote != QuoteStyle::Single) item.expr = columnExpr({alias});
  }
  item.direction = direction;
  orderBy.push_back(std::move(item));
}

void QueryEditor::setSortOrder(std::size_t index, int order) {
  const ColumnRow& r = row(index);
  if (r.orderIndex < 0) throw Failure::invalidCall("The column is not sorted");
  auto& orderBy = query_->orderBy;
  OrderItem item = std::move(orderBy[static_cast<std::size_t>(r.orderIndex)]);
  orderBy.erase(orderBy.begin() + r.orderIndex);
  long to = std::clamp<long>(order - 1, 0, static_cast<long>(orderBy.size()));
  orderBy.insert(orderBy.begin() + to, std::move(item));
}

void QueryEditor::setCriteria(std::size_t index, std::string_view text) {
  const ColumnRow& r = row(index);
  SelectCore& c = core();
  bool having = r.criterionIndex >= 0 ? r.criterionInHaving : containsAggregate(r.expr);
  Box<Expr>& clause = having ? c.having : c.where;
  auto parts = splitConjuncts(clause);
  std::string criteria = trimmed(text);
  if (criteria.empty()) {
    if (r.criterionIndex >= 0) parts.erase(parts.begin() + r.criterionIndex);
  } else if (r.criterionIndex >= 0) {
    parts[static_cast<std::size_t>(r.criterionIndex)] = criterionFor(r.expr, criteria);
  } else {
    parts.push_back(criterionFor(r.expr, criteria));
  }
  clause = joinConjuncts(std::move(parts));
}

void QueryEditor::setAggregate(std::size_t index, std::string_view aggregate) {
  const ColumnRow& r = row(index);
  if (r.selectIndex < 0) throw Failure::invalidCall("Only an output column can be aggregated");
  std::string function = toUpper(trimmed(aggregate));
  if (!function.empty() && !isAggregateFunction(function)) {
    throw Failure::invalidCall("'" + std::string(aggregate) + "' is not one of COUNT, SUM, AVG, MIN and MAX");
  }
  SelectCore& c = core();
  Expr& e = c.items[static_cast<std::size_t>(r.selectIndex)].expr;
  Expr old = e;
  Expr inner = isSimpleAggregate(e) ? e.call->args[0] : e;
  e = withAggregate(function, std::move(inner));
  for (OrderItem& item : query_->orderBy) {
    if (sameExpression(item.expr, old)) item.expr = e;
  }
  // Grouping follows the aggregates: every other output column is grouped.
  bool anyAggregate = std::any_of(c.items.begin(), c.items.end(),
                                  [](const SelectItem& item) { return containsAggregate(item.expr); });
  c.groupBy.clear();
  if (!anyAggregate) return;
  for (const SelectItem& item : c.items) {
    ExprKind kind = item.expr.kind;
    if (containsAggregate(item.expr) || kind == ExprKind::Star || kind == ExprKind::Literal ||
        kind == ExprKind::Parameter) {
      continue;
    }
    c.groupBy.push_back(item.expr);
  }
}

void QueryEditor::setExpression(std::size_t index, std::string_view text) {
  const ColumnRow& r = row(index);
  SelectCore& c = core();
  std::string expression = trimmed(text);
  Box<Expr>& clause = r.criterionInHaving ? c.having : c.where;
  auto parts = splitConjuncts(clause);
  if (expression.empty()) {
    if (r.criterionIndex >= 0) parts.erase(parts.begin() + r.criterionIndex);
    clause = joinConjuncts(std::move(parts));
    if (r.orderIndex >= 0) query_->orderBy.erase(query_->orderBy.begin() + r.orderIndex);
    if (r.selectIndex >= 0) removeSelectItem(static_cast<std::size_t>(r.selectIndex));
    ensureSelectList();
    return;
  }
  Expr whole = withAggregate(r.aggregate, parseExpression(expression));
  if (r.selectIndex >= 0) c.items[static_cast<std::size_t>(r.selectIndex)].expr = whole;
  if (r.orderIndex >= 0) {
    Expr& ordered = query_->orderBy[static_cast<std::size_t>(r.orderIndex)].expr;
    if (sameExpression(ordered, r.expr)) ordered = whole;
  }
  if (r.criterionIndex >= 0) {
    parts[static_cast<std::size_t>(r.criterionIndex)].args[0] = whole;
    clause = joinConjuncts(std::move(parts));
  }
}

}  // namespace tavrello::builder
