#pragma once

#include "platform/builder/query_model.h"

namespace tavrello::builder {

// Fills model.rows, the columns pane: one row per select list item, then
// rows for ORDER BY items and WHERE/HAVING criteria that match no output
// column. A criterion is a condition on one expression (comparison, LIKE,
// IN, BETWEEN, IS); other conditions stay in the statement unshown.
void buildColumnRows(QueryModel& model, const Query& query, const SelectCore& core);

// The columns pane's split of an expression into aggregate and argument.
void splitAggregate(const Expr& expr, std::string& aggregate, std::string& expression);

}  // namespace tavrello::builder
