#pragma once

#include <string>
#include <string_view>

namespace tavrello::builder {

// ASCII case folding: SQL keywords and the identifiers the builder compares
// are matched without regard to case, whatever the database's own rule.
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Number of characters (UTF-8 code points) in text, for the right margin.
std::size_t displayLength(std::string_view text);

}  // namespace tavrello::builder
