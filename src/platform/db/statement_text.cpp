#include "platform/db/statement_text.h"

#include <string>

#include "platform/db/db_failure.h"

namespace tavrello::db {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == ';'; }

// Whether anything but blanks, comments and semicolons is in `sql`.
bool holdsStatement(std::string_view sql) {
  std::size_t i = 0;
  while (i < sql.size()) {
    if (isBlank(sql[i])) {
      ++i;
    } else if (sql.substr(i, 2) == "--") {
      const std::size_t end = sql.find('\n', i);
      i = end == std::string_view::npos ? sql.size() : end + 1;
    } else if (sql.substr(i, 2) == "/*") {
      const std::size_t end = sql.find("*/", i + 2);
      i = end == std::string_view::npos ? sql.size() : end + 2;
    } else {
      return true;
    }
  }
  return false;
}

}  // namespace

void checkStatementText(std::string_view sql) {
  if (const std::size_t nul = sql.find('\0'); nul != std::string_view::npos) {
    throw Failure(failure_number::kCommandError,
                  "The statement holds a NUL character (at byte " + std::to_string(nul + 1) +
                      "), which no database reads as part of a statement.");
  }
  if (!holdsStatement(sql)) {
    throw Failure(failure_number::kNoCommand,
                  "The command text holds no statement, only blanks, comments or semicolons.");
  }
}

}  // namespace tavrello::db
