#pragma once

#include <string>
#include <string_view>

namespace tavrello::sys {

// Text from outside data (a settings file, a workbook, a database's message)
// made safe to print on a terminal: control characters, which a terminal
// would obey (escape sequences, bells, carriage returns, line breaks), are
// written out as \xHH, or \u00HH for the C1 controls that some terminals take
// as escape sequences too, and so is every byte that is not part of valid
// UTF-8. Everything else, other languages' letters included, passes as it is.
std::string printableText(std::string_view text);

}  // namespace tavrello::sys
