#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavrello {

// The scheme number of a formatting scheme's name, compared in upper case
// without trimming blanks: "Grey and White" 1, "Green and White" 2, "Green
// and Black" 3, "Black and Grey" 4; any other text 0.
std::int32_t GetFormatIDByString(const std::string& name);

// The host's built-in table design (host::RangeAutoFormat) of scheme numbers
// 1 to 4: List 1, List 2, Colorful 1, Colorful 3; nothing for any other.
std::optional<int> SchemeDesign(std::int32_t scheme);

// Applies the scheme that the query window's ComboFormats text names to the
// result block (see ResultBlock) with all six AutoFormat flags on. A text
// that reads "No Formatting" in any letter case, or names no scheme, changes
// nothing. Failures of the host pass to the caller.
void ApplyFormattingScheme(const std::string& comboText, std::int32_t lastRowOffset, std::int32_t fieldCount);

}  // namespace tavrello
