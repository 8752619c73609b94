#include "common/goal_line.h"

#include <cstdio>

namespace tavrello::bench {

void printGoalLine(const char* figure, double ratio, double goal, std::optional<double> stretch) {
  auto verdict = [ratio](double limit) { return ratio <= limit ? "met" : "NOT MET"; };
  std::printf("%-44s %6.2f   goal <= %.2f %-8s", figure, ratio, goal, verdict(goal));
  if (stretch) std::printf("  stretch <= %.2f %s", *stretch, verdict(*stretch));
  std::printf("\n");
}

}  // namespace tavrello::bench
