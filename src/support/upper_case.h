#pragma once

#include <string>
#include <string_view>

namespace tavrello {

// The text with its ASCII letters in upper case, as the add-in compares
// names without regard to case (all the names it compares so are ASCII).
std::string UCase(std::string_view text);

}  // namespace tavrello
