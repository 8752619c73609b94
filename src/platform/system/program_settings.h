#pragma once

#include <string>
#include <string_view>

namespace tavrello::sys {

// Per-user program settings, as the platform's GetSetting and SaveSetting
// keep them: string values under
//   HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>
// The place is kept because the toolbar's stored position is found there; an
// application name with a backslash ("VarnockSystems\Tavrello") is a path of
// nested keys.

// The stored text, or `defaultValue` when the value, its key or the registry
// file is missing, the value is not a string, or it cannot be read. Never fails.
std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view defaultValue);

// Stores the text, creating the keys as needed. Throws Failure 5 when a name
// is empty and the registry's failure when it cannot be stored.
void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value);

}  // namespace tavrello::sys
