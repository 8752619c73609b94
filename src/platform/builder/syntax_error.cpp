#include "platform/builder/syntax_error.h"

#include <string>

namespace tavrello::builder {

Failure syntaxError(const SourcePosition& where, std::string_view problem) {
  std::string text = "Syntax error at line " + std::to_string(where.line) + ", column " +
                     std::to_string(where.column) + ": ";
  text += problem;
  return Failure(kSyntaxErrorNumber, std::move(text));
}

std::string describeToken(const Token& token) {
  if (token.kind == TokenKind::End) return "the end of the statement";
  std::string shown = token.text;
  if (shown.size() > 40) shown = shown.substr(0, 37) + "...";
  return "'" + shown + "'";
}

}  // namespace tavrello::builder
