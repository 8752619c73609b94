#include "platform/db/column.h"

#include <charconv>
#include <limits>
#include <optional>
#include <utility>

#include "platform/db/date_serial.h"

namespace tavrello::db {

namespace {

std::string shortest(double value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string integerText(std::int64_t value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

bool isIntegral(DataType t) { return t == DataType::Integer || t == DataType::Boolean; }
bool isNumeric(DataType t) { return isIntegral(t) || t == DataType::Double || t == DataType::Decimal; }

// The type a column of type `current` becomes when a value of type `incoming` arrives.
DataType widened(DataType current, DataType incoming) {
  if (current == DataType::Null) return incoming;
  if (current == incoming) return current;
  if (current == DataType::Binary || incoming == DataType::Binary) return DataType::Binary;
  if (isNumeric(current) && isNumeric(incoming)) {
    if (current == DataType::Decimal || incoming == DataType::Decimal) return DataType::Decimal;
    if (current == DataType::Double || incoming == DataType::Double) return DataType::Double;
    return DataType::Integer;
  }
  auto isDateOrStamp = [](DataType t) { return t == DataType::Date || t == DataType::DateTime; };
  if (isDateOrStamp(current) && isDateOrStamp(incoming)) return DataType::DateTime;
  return DataType::Text;
}

std::optional<double> parseDecimal(std::string_view text) {
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

Column::Column(std::string name, DataType type, std::string nativeType)
    : name_(std::move(name)), type_(type), nativeType_(std::move(nativeType)) {
  offsets_.push_back(0);
}

bool Column::usesReals() const {
  switch (type_) {
    case DataType::Double:
    case DataType::Decimal:
    case DataType::Date:
    case DataType::Time:
    case DataType::DateTime: return true;
    default: return false;
  }
}

void Column::reserve(std::size_t rows) {
  if (usesInts()) ints_.reserve(rows);
  if (usesReals()) reals_.reserve(rows);
  if (usesArena()) offsets_.reserve(rows + 1);
}

void Column::releaseValues() {
  rows_ = 0;
  hasNulls_ = wideOffsets_ = false;
  nulls_ = {};
  ints_ = {};
  reals_ = {};
  offsets_ = {};
  offsets64_ = {};
  arena_ = {};
  offsets_.push_back(0);
}

void Column::releaseRowsBefore(std::size_t row) {
  if (row >= rows_) {
    releaseValues();
    return;
  }
  ints_.discardBefore(row);
  reals_.discardBefore(row);
  if (usesArena()) {
    arena_.discardBefore(offset(row));
    offsets_.discardBefore(row);
    offsets64_.discardBefore(row);
  }
}

void Column::pushOffset() {
  const std::size_t end = arena_.size();
  if (!wideOffsets_ && end > std::numeric_limits<std::uint32_t>::max()) {
    offsets64_.reserve(offsets_.size() + 1);
    for (std::size_t i = 0; i < offsets_.size(); ++i) offsets64_.push_back(offsets_[i]);
    offsets_ = {};
    wideOffsets_ = true;
  }
  if (wideOffsets_) offsets64_.push_back(end);
  else offsets_.push_back(static_cast<std::uint32_t>(end));
}

void Column::pushArena(const void* data, std::size_t n) {
  arena_.append(data, n);
  pushOffset();
}

void Column::markNull() {
  if (!hasNulls_) {
    nulls_.resize((rows_ >> 6) + 1, 0);
    hasNulls_ = true;
  }
  nulls_[rows_ >> 6] |= std::uint64_t{1} << (rows_ & 63);
}

void Column::appendNull() {
  markNull();
  if (usesInts()) ints_.push_back(0);
  if (usesReals()) reals_.push_back(0);
  if (usesArena()) pushOffset();
  finishRow();
}

void Column::appendInteger(std::int64_t value) {
  if (type_ == DataType::Integer) {
    ints_.push_back(value);
    finishRow();
  } else if (type_ == DataType::Double) {
    reals_.push_back(static_cast<double>(value));
    finishRow();
  } else if (type_ == DataType::Decimal) {
    appendDecimal(integerText(value));
  } else if (type_ == DataType::Text) {
    appendText(integerText(value));
  } else {
    appendMismatch(DataType::Integer, value, 0, {});
  }
}

void Column::appendDouble(double value) {
  if (type_ == DataType::Double) {
    reals_.push_back(value);
    finishRow();
  } else if (type_ == DataType::Decimal || type_ == DataType::Text) {
    std::string text = shortest(value);
    if (type_ == DataType::Decimal) appendDecimal(text);
    else appendText(text);
  } else {
    appendMismatch(DataType::Double, 0, value, {});
  }
}

void Column::appendDecimal(std::string_view text) {
  if (type_ == DataType::Decimal) {
    auto value = parseDecimal(text);
    if (!value) {
      convertTo(DataType::Text);
      appendText(text);
      return;
    }
    reals_.push_back(*value);
    pushArena(text.data(), text.size());
    finishRow();
  } else if (type_ == DataType::Text) {
    appendText(text);
  } else {
    appendMismatch(DataType::Decimal, 0, 0, text);
  }
}

void Column::appendText(std::string_view utf8) {
  switch (type_) {
    case DataType::Text:
    case DataType::Binary:
      pushArena(utf8.data(), utf8.size());
      finishRow();
      return;
    case DataType::Date:
    case DataType::Time:
    case DataType::DateTime:
      if (auto serial = parseSerial(utf8, type_)) {
        reals_.push_back(*serial);
        finishRow();
        return;
      }
      // A date-time text in a Date column widens it rather than losing the time.
      if (type_ == DataType::Date) {
        if (auto stamp = parseSerial(utf8, DataType::DateTime)) {
          convertTo(DataType::DateTime);
          appendSerial(*stamp, DataType::DateTime);
          return;
        }
      }
      break;
    case DataType::Decimal:
      if (parseDecimal(utf8)) {
        appendDecimal(utf8);
        return;
      }
      break;
    default:
      break;
  }
  appendMismatch(DataType::Text, 0, 0, utf8);
}

void Column::appendBoolean(bool value) {
  if (type_ == DataType::Boolean || type_ == DataType::Integer) {
    ints_.push_back(value ? 1 : 0);
    finishRow();
  } else if (type_ == DataType::Double) {
    appendDouble(value ? 1 : 0);
  } else if (type_ == DataType::Decimal) {
    appendDecimal(value ? "1" : "0");
  } else if (type_ == DataType::Text) {
    appendText(value ? "True" : "False");
  } else {
    appendMismatch(DataType::Boolean, value ? 1 : 0, 0, {});
  }
}

void Column::appendSerial(double serial, DataType kind) {
  if (type_ == kind || (type_ == DataType::DateTime && kind == DataType::Date)) {
    reals_.push_back(serial);
    finishRow();
  } else if (type_ == DataType::Text) {
    appendText(formatSerial(serial, kind));
  } else {
    appendMismatch(kind, 0, serial, {});
  }
}

void Column::appendBytes(std::span<const std::byte> bytes) {
  if (type_ == DataType::Binary) {
    pushArena(bytes.data(), bytes.size());
    finishRow();
  } else {
    appendMismatch(DataType::Binary, 0, 0,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
}

void Column::appendMismatch(DataType incoming, std::int64_t i, double d, std::string_view s) {
  convertTo(widened(type_, incoming));
  switch (incoming) {
    case DataType::Integer: appendInteger(i); break;
    case DataType::Boolean: appendBoolean(i != 0); break;
    case DataType::Double: appendDouble(d); break;
    case DataType::Decimal: appendDecimal(s); break;
    case DataType::Text: appendText(s); break;
    case DataType::Binary: appendBytes(std::as_bytes(std::span(s.data(), s.size()))); break;
    case DataType::Date:
    case DataType::Time:
    case DataType::DateTime: appendSerial(d, incoming); break;
    case DataType::Null: appendNull(); break;
  }
}

void Column::convertTo(DataType to) {
  if (to == type_) return;
  Column next(name_, to, nativeType_);
  for (std::size_t row = 0; row < rows_; ++row) {
    if (isNull(row)) {
      next.appendNull();
      continue;
    }
    switch (type_) {
      case DataType::Null: next.appendNull(); break;
      case DataType::Integer: next.appendInteger(ints_[row]); break;
      case DataType::Boolean:
        if (to == DataType::Integer) next.appendInteger(ints_[row]);
        else next.appendBoolean(ints_[row] != 0);
        break;
      case DataType::Double: next.appendDouble(reals_[row]); break;
      case DataType::Decimal:
        if (to == DataType::Binary) next.appendBytes(bytes(row));
        else next.appendDecimal(text(row));
        break;
      case DataType::Text:
      case DataType::Binary: next.appendBytes(bytes(row)); break;
      case DataType::Date:
      case DataType::Time:
      case DataType::DateTime:
        if (to == DataType::Binary) {
          std::string t = formatSerial(reals_[row], type_);
          next.appendBytes(std::as_bytes(std::span(t.data(), t.size())));
        } else {
          next.appendSerial(reals_[row], type_);
        }
        break;
    }
  }
  *this = std::move(next);
}

std::string Column::display(std::size_t row) const {
  if (isNull(row)) return {};
  switch (type_) {
    case DataType::Null: return {};
    case DataType::Integer: return integerText(ints_[row]);
    case DataType::Boolean: return ints_[row] ? "True" : "False";
    case DataType::Double: return shortest(reals_[row]);
    case DataType::Decimal:
    case DataType::Text: return std::string(text(row));
    case DataType::Date:
    case DataType::Time:
    case DataType::DateTime: return formatSerial(reals_[row], type_);
    case DataType::Binary: {
      static constexpr char hex[] = "0123456789abcdef";
      std::string out;
      for (std::byte b : bytes(row)) {
        out += hex[std::to_integer<unsigned>(b) >> 4];
        out += hex[std::to_integer<unsigned>(b) & 15];
      }
      return out;
    }
  }
  return {};
}

}  // namespace tavrello::db
