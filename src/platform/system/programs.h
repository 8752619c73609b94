#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::sys {

// The full path of the first executable regular file called `name` in the
// folders of $PATH (empty entries are skipped, not taken as the current
// folder). A name with a "/" is taken as a path and only checked. Nothing
// when no such file is found.
std::optional<std::string> findProgramOnPath(std::string_view name);

// Starts a program with the given arguments, without a shell (an argument is
// never split or interpreted) and without waiting for it: it runs in a session
// of its own with standard input from /dev/null, and a detached thread reaps
// it when it ends, so no zombie is left. A program name without "/" is
// searched on $PATH. Returns whether the program could be started.
bool startProgram(std::string_view program, const std::vector<std::string>& arguments);

}  // namespace tavrello::sys
