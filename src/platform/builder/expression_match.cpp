#include "platform/builder/expression_match.h"

#include "platform/builder/keywords.h"
#include "platform/builder/text_util.h"

namespace tavrello::builder {

namespace {

bool sameList(const std::vector<Expr>& a, const std::vector<Expr>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!sameExpression(a[i], b[i])) return false;
  }
  return true;
}

bool sameCall(const Call& a, const Call& b) {
  return a.quantifier == b.quantifier && a.keywords == b.keywords && sameList(a.args, b.args) &&
         a.orderBy == b.orderBy && a.orderByAfter == b.orderByAfter && a.withinGroup == b.withinGroup &&
         a.withinGroupOrder == b.withinGroupOrder && a.filter == b.filter && a.over == b.over;
}

}  // namespace

bool sameExpression(const Expr& a, const Expr& b) {
  if (a.kind != b.kind || a.text != b.text || a.negated != b.negated || !sameName(a.name, b.name)) return false;
  if (!sameList(a.args, b.args) || !(a.query == b.query) || !(a.type == b.type)) return false;
  if (bool(a.call) != bool(b.call)) return false;
  return !a.call || sameCall(*a.call, *b.call);
}

bool referencesSource(const Expr& expr, const Identifier& ref, bool unqualifiedToo) {
  if (expr.kind == ExprKind::Column) {
    if (expr.name.size() >= 2) return sameName(expr.name[expr.name.size() - 2], ref);
    return unqualifiedToo;
  }
  if (expr.kind == ExprKind::Star) {
    if (!expr.name.empty()) return sameName(expr.name.back(), ref);
    return unqualifiedToo;
  }
  for (const Expr& arg : expr.args) {
    if (referencesSource(arg, ref, unqualifiedToo)) return true;
  }
  if (expr.call) {
    for (const Expr& arg : expr.call->args) {
      if (referencesSource(arg, ref, unqualifiedToo)) return true;
    }
  }
  return false;
}

bool showsColumn(const Expr& e, const Identifier& ref, std::string_view column, bool singleSource) {
  if (column == "*") {
    if (e.kind != ExprKind::Star) return false;
    return e.name.empty() ? singleSource : sameName(e.name.back(), ref);
  }
  if (e.kind != ExprKind::Column || !equalsIgnoreCase(e.name.back().name, column)) return false;
  return e.name.size() >= 2 ? sameName(e.name[e.name.size() - 2], ref) : singleSource;
}

std::vector<Expr> splitConjuncts(const Box<Expr>& condition) {
  std::vector<Expr> parts;
  if (!condition) return parts;
  std::vector<const Expr*> stack{&*condition};
  // AND is left-associative, so the left-most leaf comes first.
  while (!stack.empty()) {
    const Expr* e = stack.back();
    stack.pop_back();
    if (e->kind == ExprKind::Binary && e->text == "AND") {
      stack.push_back(&e->args[1]);
      stack.push_back(&e->args[0]);
    } else {
      parts.push_back(*e);
    }
  }
  return parts;
}

Box<Expr> joinConjuncts(std::vector<Expr> parts) {
  if (parts.empty()) return {};
  auto guarded = [&](Expr e) {
    if (parts.size() > 1 && e.kind == ExprKind::Binary && (e.text == "OR" || e.text == "XOR")) {
      Expr paren;
      paren.kind = ExprKind::Paren;
      paren.args.push_back(std::move(e));
      return paren;
    }
    return e;
  };
  Expr result = guarded(std::move(parts[0]));
  for (std::size_t i = 1; i < parts.size(); ++i) {
    Expr both;
    both.kind = ExprKind::Binary;
    both.text = "AND";
    both.args.push_back(std::move(result));
    both.args.push_back(guarded(std::move(parts[i])));
    result = std::move(both);
  }
  return result;
}

bool isSimpleAggregate(const Expr& expr) {
  return expr.kind == ExprKind::Function && expr.name.size() == 1 && expr.name[0].quote == QuoteStyle::None &&
         isAggregateFunction(toUpper(expr.name[0].name)) && expr.call && expr.call->args.size() == 1 &&
         expr.call->quantifier.empty() && !expr.call->over && !expr.call->filter && expr.call->orderBy.empty() &&
         !expr.call->withinGroup;
}

bool containsAggregate(const Expr& expr) {
  if (expr.kind == ExprKind::Function && expr.name.size() == 1 && expr.call && !expr.call->over &&
      isAggregateFunction(toUpper(expr.name[0].name))) {
    return true;
  }
  for (const Expr& arg : expr.args) {
    if (containsAggregate(arg)) return true;
  }
  if (expr.call) {
    for (const Expr& arg : expr.call->args) {
      if (containsAggregate(arg)) return true;
    }
  }
  return false;
}

const Expr* criterionSubject(const Expr& condition) {
  switch (condition.kind) {
    case ExprKind::Binary:
      if (condition.text == "AND" || condition.text == "OR" || condition.text == "XOR") return nullptr;
      if (condition.text == "=" || condition.text == "<>" || condition.text == "!=" || condition.text == "<" ||
          condition.text == ">" || condition.text == "<=" || condition.text == ">=" || condition.text == "==") {
        return &condition.args[0];
      }
      return nullptr;
    case ExprKind::Like:
    case ExprKind::Is:
    case ExprKind::Postfix:
    case ExprKind::Between:
    case ExprKind::InList:
    case ExprKind::InQuery:
      return &condition.args[0];
    default:
      return nullptr;
  }
}

Expr columnExpr(Name name) {
  Expr e;
  e.kind = ExprKind::Column;
  e.name = std::move(name);
  return e;
}

Expr starExpr(Name qualifier) {
  Expr e;
  e.kind = ExprKind::Star;
  e.name = std::move(qualifier);
  return e;
}

Expr callExpr(const std::string& function, Expr argument) {
  Expr e;
  e.kind = ExprKind::Function;
  e.name = {Identifier{function, QuoteStyle::None}};
  Call call;
  call.args.push_back(std::move(argument));
  call.keywords.emplace_back();
  e.call = std::move(call);
  return e;
}

Expr equalsExpr(Expr left, Expr right) {
  Expr e;
  e.kind = ExprKind::Binary;
  e.text = "=";
  e.args.push_back(std::move(left));
  e.args.push_back(std::move(right));
  return e;
}

}  // namespace tavrello::builder
