#pragma once

#include <string_view>

#include "platform/builder/token.h"
#include "platform/system/failure.h"

namespace tavrello::builder {

// The number a rejected statement carries: the one the database layer of the
// original platform gives for "Syntax error or access violation".
inline constexpr std::int32_t kSyntaxErrorNumber = -2147217900;

// The one place a syntax problem becomes a Failure: the description reads
// "Syntax error at line L, column C: <problem>", so a user (and a test) can
// find the spot in the statement text.
Failure syntaxError(const SourcePosition& where, std::string_view problem);

// How a token is named in a message: 'FROM', the end of the statement, ...
std::string describeToken(const Token& token);

}  // namespace tavrello::builder
