#include "platform/builder/column_rows.h"

#include "platform/builder/expression_match.h"
#include "platform/builder/formatter.h"
#include "platform/builder/text_util.h"

namespace tavrello::builder {

namespace {

ColumnRow hiddenRow(const Expr& expr) {
  ColumnRow row;
  row.expr = expr;
  splitAggregate(expr, row.aggregate, row.expression);
  return row;
}

bool isOrdinal(const Expr& e, std::size_t count, std::size_t& index) {
  if (e.kind != ExprKind::Literal || e.text.empty() || e.text.size() > 6) return false;
  for (char c : e.text) {
    if (c < '0' || c > '9') return false;
  }
  std::size_t n = std::stoul(e.text);
  if (n < 1 || n > count) return false;
  index = n - 1;
  return true;
}

int findOrderedRow(const std::vector<ColumnRow>& rows, const SelectCore& core, const Expr& e) {
  std::size_t ordinal = 0;
  if (isOrdinal(e, core.items.size(), ordinal)) return static_cast<int>(ordinal);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].orderIndex >= 0) continue;
    bool byAlias = e.kind == ExprKind::Column && e.name.size() == 1 && rows[i].selectIndex >= 0 &&
                   !core.items[static_cast<std::size_t>(rows[i].selectIndex)].alias.empty() &&
                   sameName(core.items[static_cast<std::size_t>(rows[i].selectIndex)].alias, e.name[0]);
    if (byAlias || sameExpression(rows[i].expr, e)) return static_cast<int>(i);
  }
  return -1;
}

void addCriteria(std::vector<ColumnRow>& rows, const Box<Expr>& clause, bool having) {
  auto parts = splitConjuncts(clause);
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const Expr* subject = criterionSubject(parts[k]);
    if (!subject) continue;
    ColumnRow* row = nullptr;
    for (ColumnRow& r : rows) {
      if (r.criterionIndex < 0 && sameExpression(r.expr, *subject)) {
        row = &r;
        break;
      }
    }
    if (!row) {
      rows.push_back(hiddenRow(*subject));
      row = &rows.back();
    }
    std::string whole = formatExpression(parts[k]);
    std::string left = formatExpression(*subject) + " ";
    row->criteria = whole.rfind(left, 0) == 0 ? whole.substr(left.size()) : whole;
    row->criterionIndex = static_cast<int>(k);
    row->criterionInHaving = having;
  }
}

}  // namespace

void splitAggregate(const Expr& expr, std::string& aggregate, std::string& expression) {
  if (isSimpleAggregate(expr)) {
    aggregate = toUpper(expr.name[0].name);
    expression = formatExpression(expr.call->args[0]);
  } else {
    aggregate.clear();
    expression = formatExpression(expr);
  }
}

void buildColumnRows(QueryModel& model, const Query& query, const SelectCore& core) {
  std::vector<ColumnRow>& rows = model.rows;
  for (std::size_t i = 0; i < core.items.size(); ++i) {
    ColumnRow row = hiddenRow(core.items[i].expr);
    row.output = true;
    row.selectIndex = static_cast<int>(i);
    if (!core.items[i].alias.empty()) row.alias = formatIdentifier(core.items[i].alias);
    rows.push_back(std::move(row));
  }
  for (std::size_t j = 0; j < query.orderBy.size(); ++j) {
    const OrderItem& item = query.orderBy[j];
    int at = findOrderedRow(rows, core, item.expr);
    if (at < 0 || rows[static_cast<std::size_t>(at)].orderIndex >= 0) {
      rows.push_back(hiddenRow(item.expr));
      at = static_cast<int>(rows.size() - 1);
    }
    ColumnRow& row = rows[static_cast<std::size_t>(at)];
    row.sort = item.direction == "DESC" ? SortType::Descending : SortType::Ascending;
    row.sortOrder = static_cast<int>(j + 1);
    row.orderIndex = static_cast<int>(j);
  }
  addCriteria(rows, core.where, false);
  addCriteria(rows, core.having, true);
}

}  // namespace tavrello::builder
