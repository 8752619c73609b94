#pragma once

#include <cstdint>

namespace tavrello::db {

// A small deterministic random source (splitmix64) for the data generators:
// the same seed gives the same rows on every machine and every run.
class GeneratorRandom {
 public:
  explicit GeneratorRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // A number in [0, bound).
  std::uint64_t below(std::uint64_t bound) { return next() % bound; }
  // A number in [low, high].
  std::int64_t between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(high - low + 1)));
  }
  // True with the given chance in percent.
  bool percent(unsigned chance) { return below(100) < chance; }

 private:
  std::uint64_t state_;
};

}  // namespace tavrello::db
