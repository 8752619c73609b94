#pragma once

#include <cstdint>
#include <string>

#include "platform/db/data_type.h"

namespace tavrello::db {

// One field's value at the current row, copied out of its column. Only the
// member that matches `type` is meaningful: `integer` for Integer and Boolean,
// `real` for Double, Decimal and the date kinds (the day serial), `text` for
// Text, Decimal (the exact text) and Binary (the raw bytes).
struct Value {
  DataType type = DataType::Null;
  bool isNull = true;
  std::int64_t integer = 0;
  double real = 0;
  std::string text;

  // The column's display text for this value (see Column::display).
  std::string display;
};

}  // namespace tavrello::db
