#pragma once

#include <cstdint>

#include "platform/host/cell_value.h"

namespace tavrello::host {

enum class CellKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

// One stored cell: 16 bytes, no heap. A number (dates included: their
// meaning comes from the style's number format) is kept in place; text is an
// index into the workbook's string pool; the style is an index into the
// workbook's style table (0 is the default style). An empty cell may still
// carry a style.
class Cell {
 public:
  Cell() { payload_.number = 0; }

  CellKind kind() const { return kind_; }
  bool isEmpty() const { return kind_ == CellKind::Empty; }
  // Neither content nor a style of its own.
  bool isBlank() const { return kind_ == CellKind::Empty && style_ == 0; }

  double number() const { return payload_.number; }
  std::uint32_t textIndex() const { return payload_.index; }
  bool boolean() const { return payload_.index != 0; }
  CellError error() const { return static_cast<CellError>(payload_.index); }
  std::uint32_t style() const { return style_; }

  void setNumber(double value) {
    kind_ = CellKind::Number;
    payload_.number = value;
  }
  void setText(std::uint32_t index) {
    kind_ = CellKind::Text;
    payload_.index = index;
  }
  void setBoolean(bool value) {
    kind_ = CellKind::Boolean;
    payload_.index = value ? 1 : 0;
  }
  void setError(CellError error) {
    kind_ = CellKind::Error;
    payload_.index = static_cast<std::uint32_t>(error);
  }
  void clearContent() {
    kind_ = CellKind::Empty;
    payload_.number = 0;
  }
  void setStyle(std::uint32_t style) { style_ = style; }

 private:
  union Payload {
    double number;
    std::uint32_t index;
  } payload_;
  std::uint32_t style_ = 0;
  CellKind kind_ = CellKind::Empty;
};

static_assert(sizeof(Cell) == 16, "a cell must stay 16 bytes: a million-row import depends on it");

}  // namespace tavrello::host
