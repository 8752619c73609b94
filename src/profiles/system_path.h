#pragma once

#include <cstdint>
#include <string>

namespace tavrello::MStandardCode {

// The path of a shell special folder, ending in "/": for 26, the user's
// application-data folder ($XDG_DATA_HOME, else ~/.local/share), the base of
// the data folder. The empty text when the folder cannot be resolved (no
// XDG_DATA_HOME and no HOME) or is not known; callers do not check it. A
// failure is reported under "MStandardCode"."SystemPath" and gives the empty
// text.
std::string SystemPath(std::int32_t folderId);

}  // namespace tavrello::MStandardCode
