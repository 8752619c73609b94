#pragma once

#include <optional>
#include <string_view>

#include "platform/builder/ast.h"
#include "platform/system/failure.h"

namespace tavrello::builder {

// Parses one SELECT-family statement: SELECT, WITH ... SELECT, VALUES, a
// parenthesised query, and chains of UNION/INTERSECT/EXCEPT, with an
// optional trailing semicolon. Text that holds only blanks and comments is
// the empty statement (std::nullopt).
//
// Throws a syntax Failure ("Syntax error at line L, column C: ...") for
// malformed text: unbalanced brackets or quotes, a statement that is not a
// query, a clause that is cut short, or anything after the statement's end.
std::optional<Query> parseStatement(std::string_view text);

// Parses one expression (a column, a criterion, a computed column), as the
// columns pane and the expression editor hand it over. Throws a syntax
// Failure when the text is not exactly one expression.
Expr parseExpression(std::string_view text);

// Parses a name as a user types it for an alias: a bare word or a quoted
// name. Throws a syntax Failure otherwise.
Identifier parseAlias(std::string_view text);

}  // namespace tavrello::builder
