#include "common/bench_options.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace tavrello::bench {

OrdersOptions parseOrdersOptions(int argc, char** argv, const char* program, OrdersOptions defaults) {
  OrdersOptions o = std::move(defaults);
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--rows" && hasValue) o.rows = std::atoll(argv[++i]);
    else if (arg == "--dir" && hasValue) o.dir = argv[++i];
    else if (arg == "--runs" && hasValue) o.runs = std::max(1, std::atoi(argv[++i]));
    else {
      std::fprintf(stderr, "usage: %s [--rows N] [--dir DIR] [--runs K]\n", program);
      std::exit(2);
    }
  }
  return o;
}

}  // namespace tavrello::bench
