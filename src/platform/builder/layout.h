#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::builder {

// Text with places where a line may be broken. The formatter writes a
// statement into it; layout() then fills lines up to the right margin.
// Nothing is forced onto a new line, so a short statement stays on one line.
//
// Two kinds of break: before a main clause (SELECT, FROM, WHERE, UNION, ...)
// the line is broken when the whole clause would pass the margin; inside a
// clause (after a list comma, before a join or AND/OR) only when the next
// piece would pass it.
class Layout {
 public:
  // Appends text to the current piece.
  void text(std::string_view s) { pieces_.back().text += s; }
  // Ends the current piece; the next one follows after a blank or on a new
  // line indented by indent blanks.
  void softBreak(std::size_t indent) { pieces_.push_back({{}, indent, false}); }
  // The same before a main clause; indent also tells the nesting depth.
  void clauseBreak(std::size_t indent) { pieces_.push_back({{}, indent, true}); }

  std::string layout(std::size_t rightMargin) const;

 private:
  struct Piece {
    std::string text;
    std::size_t indent = 0;
    bool clause = false;
  };
  std::size_t clauseLength(std::size_t first) const;

  std::vector<Piece> pieces_{Piece{}};
};

}  // namespace tavrello::builder
