// The query window's screen of a batch before it runs. The pieces of the
// split put back together with their semicolons give the text; and when the
// screen lets a text through, no statement of it begins, after blanks and
// comments, with a refused keyword. The statement starts are found here by a
// reading of our own, one character at a time, and not by the splitter.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "query/statement_screen.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Where each statement's first word is: the offsets just past the leading
// blanks and comments of the text and of every ';' outside quotes and
// comments.
std::vector<std::size_t> statementHeads(std::string_view text) {
  enum class State { Head, Code, Line, Block, Quote };
  std::vector<std::size_t> heads;
  State state = State::Head;
  State afterComment = State::Head;
  char close = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    switch (state) {
      case State::Line:
        if (c == '\n') state = afterComment;
        break;
      case State::Block:
        if (c == '*' && next == '/') {
          state = afterComment;
          ++i;
        }
        break;
      case State::Quote:
        if (c == close) state = State::Code;
        break;
      case State::Head:
      case State::Code:
        if (c == '-' && next == '-') {
          afterComment = state;
          state = State::Line;
          ++i;
        } else if (c == '/' && next == '*') {
          afterComment = state;
          state = State::Block;
          ++i;
        } else if (c == ';') {
          if (state == State::Head) heads.push_back(i);
          state = State::Head;
        } else if (state == State::Head && isBlank(c)) {
        } else {
          if (state == State::Head) heads.push_back(i);
          state = State::Code;
          if (c == '\'' || c == '"' || c == '`' || c == '[') {
            close = c == '[' ? ']' : c;
            state = State::Quote;
          }
        }
        break;
    }
  }
  return heads;
}

bool beginsWithRefusedKeyword(std::string_view text, std::size_t at) {
  for (std::string_view keyword : tavrello::kBlockedKeywords) {
    if (text.size() - at < keyword.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < keyword.size(); ++k) {
      same = same && std::toupper(static_cast<unsigned char>(text[at + k])) == keyword[k];
    }
    if (same) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string_view> pieces = tavrello::splitStatements(text);
  std::string joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) joined += ';';
    joined.append(pieces[i]);
  }
  FUZZ_CHECK(joined == text, "the pieces and their semicolons are the text");
  if (tavrello::firstBlockedKeyword(text)) return 0;
  for (std::size_t head : statementHeads(text)) {
    FUZZ_CHECK(!beginsWithRefusedKeyword(text, head), "a statement let through begins with a refused keyword");
  }
  return 0;
}
