#pragma once

#include <string>

namespace tavrello::sys {

// The shell special folder the add-in asks for by number. Only 26, the user's
// application-data folder, is known: $XDG_DATA_HOME, or $HOME/.local/share
// when that is unset (a relative XDG_DATA_HOME is ignored, as the XDG rules
// say). The path always ends in "/"; the add-in appends its folder name to it
// directly. Returns the empty text for other numbers and when neither
// variable is set. Never fails.
std::string specialFolderPath(int folderId);

inline constexpr int kApplicationDataFolder = 26;

}  // namespace tavrello::sys
