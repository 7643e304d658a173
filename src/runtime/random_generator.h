// A generator of its own: the process-wide generator's algorithm (random.h) on a seed this object
// holds, for background work that must leave RandomSeed alone. Draw for draw, a TRandomGenerator
// seeded with S gives what the process-wide generator gives after RandomSeed = S.
//
//   SeedForIndex(base, i) --> TRandomGenerator(seed) --Fraction/Below/OpenFraction--> draws
//                                  `--SeedCell--> the simulator's draws worked out ahead
#pragma once

#include <cstdint>

#include "runtime/random.h"

namespace corvane {

class TRandomGenerator {
 public:
  explicit TRandomGenerator(std::uint32_t seed = 0) noexcept : seed_(seed) {}

  std::uint32_t Seed() const noexcept { return seed_; }
  void SetSeed(std::uint32_t seed) noexcept { seed_ = seed; }

  // The state itself, for the simulator's batch of draws (simulation/precomputed_draws.h).
  std::uint32_t& SeedCell() noexcept { return seed_; }

  // k * 2^-32 for the new seed k, as RandomFraction.
  long double Fraction() noexcept {
    seed_ = NextRandomSeed(seed_);
    return static_cast<long double>(seed_) * 0x1p-32L;
  }

  // (k + 1/2) * 2^-32 for the new seed k: in (0, 1), never 0 or 1, for logarithms and quantile
  // transforms.
  double OpenFraction() noexcept {
    seed_ = NextRandomSeed(seed_);
    return (static_cast<double>(seed_) + 0.5) * 0x1p-32;
  }

  // As RandomBelow: the upper 32 bits of new seed * range.
  std::int32_t Below(std::int32_t range) noexcept {
    seed_ = NextRandomSeed(seed_);
    const std::uint64_t product = static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(range);
    return static_cast<std::int32_t>(product >> 32);
  }

 private:
  std::uint32_t seed_;
};

// A seed for the index-th of many independent streams (a bootstrap replicate, a chunk of a
// simulation): a mix of both numbers, so that neighbouring indices start far apart on the
// generator's cycle and the result depends on the index alone, not on which thread draws it.
constexpr std::uint32_t SeedForIndex(std::uint64_t base, std::uint64_t index) noexcept {
  std::uint64_t z = base * 0x9E3779B97F4A7C15ull + index + 0x632BE59BD9B4E019ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

}  // namespace corvane
