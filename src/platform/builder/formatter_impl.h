#pragma once

// The pieces of the formatter shared by expression_formatter.cpp and
// query_formatter.cpp. Not part of the component's interface.

#include "platform/builder/ast.h"
#include "platform/builder/layout.h"

namespace tavrello::builder::detail {

// depth is the nesting of subqueries: breaks inside a subquery indent more.
void writeExpr(Layout& out, const Expr& expr, int depth);
void writeExprList(Layout& out, const std::vector<Expr>& list, int depth, bool breakable);
void writeOrderList(Layout& out, const std::vector<OrderItem>& list, int depth, bool breakable);
void writeType(Layout& out, const TypeName& type, int depth);
void writeWindow(Layout& out, const WindowSpec& spec, int depth);
void writeQuery(Layout& out, const Query& query, int depth);

inline std::size_t clauseIndent(int depth) { return static_cast<std::size_t>(depth) * 2; }
inline std::size_t continuationIndent(int depth) { return static_cast<std::size_t>(depth) * 2 + 2; }

}  // namespace tavrello::builder::detail
