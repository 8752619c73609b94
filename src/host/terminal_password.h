#pragma once

#include <optional>
#include <string>

namespace tavrello::host {

// Asks for a password on the controlling terminal (/dev/tty), with the
// typed characters not shown, and returns what was typed up to the line
// end. Nothing when the program has no terminal (a cron job, a pipe) or the
// input ends first.
std::optional<std::string> askPasswordOnTerminal(const std::string& prompt);

}  // namespace tavrello::host
