#pragma once

#include <string_view>
#include <vector>

#include "platform/builder/token.h"
#include "platform/system/failure.h"

namespace tavrello::builder {

// Splits statement text into tokens for the dialects that SQLite, PostgreSQL,
// MariaDB/MySQL and SQL Server users write: strings with doubled quotes (and
// the N'', E'', X'', B'' and $tag$ forms), "quoted", [bracketed] and
// `backticked` identifiers, -- and /* */ comments (dropped), numbers,
// parameters (?, ?1, :name, @name, $1) and operators.
//
// The result always ends with one End token. Throws a syntax Failure naming
// the line and column of an unterminated string, identifier or comment, or
// of a character no dialect allows.
std::vector<Token> tokenize(std::string_view text);

}  // namespace tavrello::builder
