#pragma once

#include <cstdint>
#include <string_view>

namespace tavrello {

// The whole number written in `text` as decimal digits, with an optional
// sign and blanks before and after, the way the add-in's stored settings and
// the maker's version page carry numbers. Throws Failure 13 ("Type
// mismatch") for anything else, the empty text included, and Failure 6
// ("Overflow") for a number outside the signed 32-bit range.
std::int32_t wholeNumberFromText(std::string_view text);

}  // namespace tavrello
