#pragma once

#include <cstdint>
#include <filesystem>

namespace tavrello::bench {

// What an orders benchmark is told on its command line: how many orders, the
// folder for its database and files, and how many runs to take the best of.
struct OrdersOptions {
  std::int64_t rows = 1048575;
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "tavrello-bench";
  int runs = 3;
};

// Reads "--rows N", "--dir DIR" and "--runs K" (at least one run) over
// `defaults`. Anything else prints "usage: <program> [--rows N] [--dir DIR]
// [--runs K]" and exits with status 2.
OrdersOptions parseOrdersOptions(int argc, char** argv, const char* program, OrdersOptions defaults = {});

}  // namespace tavrello::bench
