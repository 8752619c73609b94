// Statements come from statement files, workbooks' query tables and the
// query window. Tokenizing and parsing never crash; a statement that parses
// formats to a text that parses to the same tree, and formatting that text
// again changes nothing. Its expressions behave the same way.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/builder/formatter.h"
#include "platform/builder/parser.h"
#include "platform/builder/tokenizer.h"
#include "platform/system/failure.h"

namespace {

using namespace tavrello::builder;

void checkStatement(std::string_view text) {
  std::optional<Query> query;
  try {
    query = parseStatement(text);
  } catch (const tavrello::Failure&) {
    return;
  }
  for (std::size_t margin : {kRightMargin, std::size_t{20}}) {
    const std::string formatted = formatStatement(query, margin);
    std::optional<Query> again;
    try {
      again = parseStatement(formatted);
    } catch (const tavrello::Failure& failure) {
      FUZZ_CHECK(false, "a formatted statement parses: " + formatted + " -- " + failure.description());
    }
    FUZZ_CHECK(again == query, "a formatted statement parses to the same tree: " + formatted);
    FUZZ_CHECK(formatStatement(again, margin) == formatted, "formatting is idempotent: " + formatted);
  }
}

void checkExpression(std::string_view text) {
  Expr expr;
  try {
    expr = parseExpression(text);
  } catch (const tavrello::Failure&) {
    return;
  }
  const std::string formatted = formatExpression(expr);
  Expr again;
  try {
    again = parseExpression(formatted);
  } catch (const tavrello::Failure& failure) {
    FUZZ_CHECK(false, "a formatted expression parses: " + formatted + " -- " + failure.description());
  }
  FUZZ_CHECK(again == expr, "a formatted expression parses to the same tree: " + formatted);
  FUZZ_CHECK(formatExpression(again) == formatted, "formatting an expression is idempotent: " + formatted);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const auto tokens = tokenize(text);
    FUZZ_CHECK(!tokens.empty() && tokens.back().kind == TokenKind::End, "tokens end with one End");
  } catch (const tavrello::Failure&) {
  }
  checkStatement(text);
  checkExpression(text);
  return 0;
}
