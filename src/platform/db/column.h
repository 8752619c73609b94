#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/db/byte_buffer.h"
#include "platform/db/data_type.h"

namespace tavrello::db {

// One column of a fully read result: its name, its type and every row's value
// in compact storage. Numbers sit in one flat array per column, texts and bytes
// are packed end to end in one arena with an offset per row (32 bits wide while
// the arena stays below 4 GiB, 64 bits after), and NULLs are a bitmap: there is
// no heap allocation per value.
//
// Readers: the accessor that matches the column's type gives the stored value;
// a NULL row reads as 0, 0.0, false or empty. Views returned by text() and
// bytes() stay valid while the column lives and no row is appended.
//
// Writers (the providers): append one value per row. A value that does not fit
// the column's type widens the column, as SQLite lets any value into any column:
// an untyped (Null) column takes the type of its first value; Integer widens to
// Double or Decimal, Double to Decimal, Boolean to Integer, Date to DateTime;
// text handed to a Date, Time, DateTime or Decimal column is parsed, and kept as
// that type when it reads as one; anything else turns the column into Text (or
// Binary, when bytes meet text), earlier rows converted to their text form.
class Column {
 public:
  Column(std::string name, DataType type, std::string nativeType = {});
  Column(Column&&) noexcept = default;
  Column& operator=(Column&&) noexcept = default;

  const std::string& name() const { return name_; }
  DataType type() const { return type_; }
  // The type as the database named it ("VARCHAR(40)", "numeric"), for display.
  const std::string& nativeType() const { return nativeType_; }
  std::size_t size() const { return rows_; }

  bool isNull(std::size_t row) const {
    return hasNulls_ && (nulls_[row >> 6] >> (row & 63) & 1u);
  }
  // Integer and Boolean columns (true is 1).
  std::int64_t int64(std::size_t row) const { return ints_[row]; }
  // Double, Decimal, Date, Time and DateTime columns; Integer and Boolean
  // columns give their value converted.
  double real(std::size_t row) const {
    return usesInts() ? static_cast<double>(ints_[row]) : reals_[row];
  }
  // Date, Time and DateTime columns: the day serial (see date_serial.h).
  double serial(std::size_t row) const { return reals_[row]; }
  bool boolean(std::size_t row) const { return ints_[row] != 0; }
  // Text columns: UTF-8; Decimal columns: the exact decimal text.
  std::string_view text(std::size_t row) const {
    const std::size_t from = offset(row);
    return {reinterpret_cast<const char*>(arena_.data()) + from, offset(row + 1) - from};
  }
  // Binary columns (Text columns give their UTF-8 bytes).
  std::span<const std::byte> bytes(std::size_t row) const {
    const std::size_t from = offset(row);
    return {arena_.data() + from, offset(row + 1) - from};
  }
  // Any type as display text: integers and doubles in shortest round-trip form,
  // decimals as stored, booleans "True"/"False", dates in ISO form, bytes as
  // lower-case hex; empty for NULL.
  std::string display(std::size_t row) const;

  void appendNull();
  void appendInteger(std::int64_t value);
  void appendDouble(double value);
  // Exact decimal text such as "-12.50"; the double is derived from it.
  void appendDecimal(std::string_view text);
  void appendText(std::string_view utf8);
  void appendBoolean(bool value);
  // Day serial of a Date, Time or DateTime value, of the given kind.
  void appendSerial(double serial, DataType kind);
  void appendBytes(std::span<const std::byte> bytes);
  // Room for this many rows in the fixed-width storage.
  void reserve(std::size_t rows);

  // Frees every stored value and leaves the column with no rows; its name
  // and types stay. For a copy that the caller allowed to consume its result.
  void releaseValues();
  // Gives back the memory of rows before `row` where the storage allows
  // (large columns, whole pages); those rows must not be read again. Rows
  // from `row` on read as before.
  void releaseRowsBefore(std::size_t row);

 private:
  bool usesInts() const { return type_ == DataType::Integer || type_ == DataType::Boolean; }
  bool usesReals() const;
  bool usesArena() const { return type_ == DataType::Text || type_ == DataType::Decimal || type_ == DataType::Binary; }
  std::size_t offset(std::size_t row) const { return wideOffsets_ ? offsets64_[row] : offsets_[row]; }
  // Records the arena's end as the next row's end offset.
  void pushOffset();
  void pushArena(const void* data, std::size_t n);
  void markNull();
  // Ends every append, keeping a null-bitmap word ready for the next row.
  void finishRow() {
    ++rows_;
    if (hasNulls_ && (rows_ & 63) == 0) nulls_.push_back(0);
  }
  // Rebuilds the column as `to`, converting every stored row.
  void convertTo(DataType to);
  void appendMismatch(DataType incoming, std::int64_t i, double d, std::string_view s);

  std::string name_;
  DataType type_;
  std::string nativeType_;
  std::size_t rows_ = 0;
  bool hasNulls_ = false;
  PodVector<std::uint64_t> nulls_;
  PodVector<std::int64_t> ints_;
  PodVector<double> reals_;
  // Row ends in the arena; offsets64_ takes over once the arena passes 4 GiB.
  PodVector<std::uint32_t> offsets_;
  PodVector<std::uint64_t> offsets64_;
  bool wideOffsets_ = false;
  ByteBuffer arena_;
};

}  // namespace tavrello::db
