#include "platform/builder/layout.h"

#include "platform/builder/text_util.h"

namespace tavrello::builder {

namespace {

std::size_t firstLineLength(std::string_view text) {
  return displayLength(text.substr(0, text.find('\n')));
}

}  // namespace

// Length on one line of the clause that starts at piece first: up to the
// next clause of the same or an outer query.
std::size_t Layout::clauseLength(std::size_t first) const {
  std::size_t length = firstLineLength(pieces_[first].text);
  for (std::size_t i = first + 1; i < pieces_.size(); ++i) {
    const Piece& piece = pieces_[i];
    if (piece.clause && piece.indent <= pieces_[first].indent) break;
    if (piece.text.empty()) continue;
    length += 1 + firstLineLength(piece.text);
  }
  return length;
}

std::string Layout::layout(std::size_t rightMargin) const {
  std::string out;
  std::size_t column = 0;
  std::size_t lineIndent = 0;
  bool first = true;
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& piece = pieces_[i];
    if (piece.text.empty()) continue;
    if (!first) {
      bool lineHasContent = column > lineIndent;
      std::size_t needed = piece.clause ? clauseLength(i) : firstLineLength(piece.text);
      if (lineHasContent && column + 1 + needed > rightMargin) {
        out += '\n';
        out.append(piece.indent, ' ');
        column = piece.indent;
        lineIndent = piece.indent;
      } else {
        out += ' ';
        ++column;
      }
    }
    first = false;
    out += piece.text;
    std::size_t newline = piece.text.rfind('\n');
    if (newline == std::string::npos) {
      column += displayLength(piece.text);
    } else {
      column = displayLength(std::string_view(piece.text).substr(newline + 1));
      lineIndent = 0;
    }
  }
  return out;
}

}  // namespace tavrello::builder
