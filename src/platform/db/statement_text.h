#pragma once

#include <string_view>

namespace tavrello::db {

// Checks a command text before any provider sees it, so that every provider
// refuses the same texts the same way:
// - a NUL character anywhere fails with kCommandError: a database library
//   stops reading at it, running less than the text says, or reads the rest
//   as no statement at all;
// - a text of only blanks, comments (-- to the line's end, /* ... */) and
//   semicolons fails with kNoCommand.
void checkStatementText(std::string_view sql);

}  // namespace tavrello::db
