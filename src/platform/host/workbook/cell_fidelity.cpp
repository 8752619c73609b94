#include "platform/host/workbook/cell_fidelity.h"

#include <cmath>

namespace tavrello::host {

int significantDigits(std::string_view decimalText) {
  int digits = 0;
  int pendingZeros = 0;  // zeros after the last other digit, significant only if one follows
  bool leading = true;
  for (char c : decimalText) {
    if (c == 'e' || c == 'E') break;
    if (c < '0' || c > '9') continue;
    if (c == '0') {
      if (!leading) ++pendingZeros;
      continue;
    }
    leading = false;
    digits += pendingZeros + 1;
    pendingZeros = 0;
  }
  return digits;
}

int significantDigits(std::int64_t value) {
  // Through the unsigned magnitude: the most negative value has no positive twin.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  if (magnitude == 0) return 0;
  while (magnitude % 10 == 0) magnitude /= 10;
  int digits = 0;
  for (; magnitude > 0; magnitude /= 10) ++digits;
  return digits;
}

std::string nonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

void FieldChanges::reportTo(CopyReport& report) const {
  for (int kind = 0; kind < 4; ++kind) {
    if (counts_[kind] > 0)
      report.changes.push_back({std::string(field_), static_cast<CellChange>(kind), counts_[kind]});
  }
}

}  // namespace tavrello::host
