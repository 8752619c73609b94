#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/builder/ast.h"

namespace tavrello::builder {

// The builder's layout of a statement: keywords in upper case, names as
// written (with the quotes they were written with), one blank between
// tokens, and the whole statement on one line while it fits the right
// margin; otherwise lines are broken before a main clause, a join, or after
// a list comma, whichever comes where the line would pass the margin.
// The empty statement gives the empty text. Parsing the result gives the
// same query, so formatting twice changes nothing.
inline constexpr std::size_t kRightMargin = 80;
std::string formatStatement(const std::optional<Query>& query, std::size_t rightMargin = kRightMargin);

// One expression on one line, as the columns pane shows it.
std::string formatExpression(const Expr& expr);

// A name with its quotes: "Order Details", [Order Details], `x`, x.
std::string formatIdentifier(const Identifier& id);
std::string formatName(const Name& name);

}  // namespace tavrello::builder
