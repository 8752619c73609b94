#pragma once

#include <optional>

#include "platform/host/range.h"

namespace tavrello::host::xlsx {

// The object model and the file number the table designs differently: a
// query table's autoFormatId counts Simple 0, Classic 1-3, Accounting 1-4,
// Colorful 1-3 as 8-10, List 1-3 as 11-13, 3D Effects, and None as 16. Only
// the designs this host draws are paired.
inline constexpr int kAutoFormatNone = 16;

inline std::optional<int> fileAutoFormatId(int rangeAutoFormat) {
  switch (rangeAutoFormat) {
    case RangeAutoFormat::Color1: return 8;
    case RangeAutoFormat::Color3: return 10;
    case RangeAutoFormat::List1: return 11;
    case RangeAutoFormat::List2: return 12;
    default: return std::nullopt;
  }
}

inline std::optional<int> rangeAutoFormatOf(int fileAutoFormatId) {
  switch (fileAutoFormatId) {
    case 8: return RangeAutoFormat::Color1;
    case 10: return RangeAutoFormat::Color3;
    case 11: return RangeAutoFormat::List1;
    case 12: return RangeAutoFormat::List2;
    default: return std::nullopt;
  }
}

}  // namespace tavrello::host::xlsx
