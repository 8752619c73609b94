#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/host/copy_report.h"

namespace tavrello::host {

// The rules by which a copy into cells keeps a database value exactly or
// says what it changed (see CopyReport).

// Spreadsheet programs keep 15 significant digits of a number; a number
// with more is kept as text.
inline constexpr int kExactDigits = 15;

// The serial of 1900-03-01, the first day that spreadsheet programs all
// show as the date the serial means (the file format counts a fictitious
// 1900-02-29, and nothing shows a date before 1900).
inline constexpr double kFirstFaithfulDateSerial = 61;

// Significant digits of a decimal text ("-0.001250" has 3, "12000" has 2);
// an exponent ("1.5E+20") is not counted.
int significantDigits(std::string_view decimalText);
int significantDigits(std::int64_t value);

// "NaN", "Infinity" or "-Infinity".
std::string nonFiniteText(double value);

// Counts one field's changes of each kind and adds them to a report.
class FieldChanges {
 public:
  explicit FieldChanges(std::string_view field) : field_(field) {}
  void add(CellChange change) { ++counts_[static_cast<int>(change)]; }
  // Appends the kinds that were counted, in the order of CellChange.
  void reportTo(CopyReport& report) const;

 private:
  std::string_view field_;
  std::int64_t counts_[4] = {0, 0, 0, 0};
};

}  // namespace tavrello::host
