#pragma once

#include <optional>

namespace tavrello::bench {

// Prints one figure of a goal table: its name, the ratio, the goal and the
// stretch goal (none when there is none), each with "met" or "NOT MET"; a
// ratio meets a goal when it is at most the goal.
void printGoalLine(const char* figure, double ratio, double goal, std::optional<double> stretch = std::nullopt);

}  // namespace tavrello::bench
