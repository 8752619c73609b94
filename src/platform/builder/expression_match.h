#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/builder/ast.h"

namespace tavrello::builder {

// Two expressions are the same when they differ at most in the case and the
// quoting of names: o.Total matches O."total".
bool sameExpression(const Expr& a, const Expr& b);

// True when the expression uses a column or star qualified by ref, or, with
// unqualifiedToo, any unqualified column or a bare *.
bool referencesSource(const Expr& expr, const Identifier& ref, bool unqualifiedToo);

// True when a select list entry shows the column of the source called ref:
// ref.column (or column alone when the query has a single source), and for
// column "*" the star ref.* (or a bare *).
bool showsColumn(const Expr& expr, const Identifier& ref, std::string_view column, bool singleSource);

// The AND-ed parts of a condition, and back. Joining puts parentheses
// around a part that is itself an OR, so that the meaning is kept.
std::vector<Expr> splitConjuncts(const Box<Expr>& condition);
Box<Expr> joinConjuncts(std::vector<Expr> parts);

// COUNT(x), SUM(x), ...: a plain call of one of the columns pane's
// aggregates with one argument, no DISTINCT and no window.
bool isSimpleAggregate(const Expr& expr);
// True when an aggregate function is called anywhere outside a subquery.
bool containsAggregate(const Expr& expr);

// The column or expression a criterion tests: the left side of a
// comparison, LIKE, IN, BETWEEN or IS; nullptr for other conditions.
const Expr* criterionSubject(const Expr& condition);

// Builders for the few nodes the visual operations create.
Expr columnExpr(Name name);
Expr starExpr(Name qualifier);
Expr callExpr(const std::string& function, Expr argument);
Expr equalsExpr(Expr left, Expr right);

}  // namespace tavrello::builder
