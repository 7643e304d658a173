// The process-wide pseudo-random generator: a 32-bit linear congruential generator whose whole
// state is RandomSeed. Every draw steps the seed first and forms its value from the new seed.
#pragma once

#include <cstdint>
#include <functional>

namespace corvane {

// The generator's state; 0 at process start. Callers may assign it for a repeatable sequence.
extern std::uint32_t RandomSeed;

// seed * 134775813 + 1 (mod 2^32).
constexpr std::uint32_t NextRandomSeed(std::uint32_t seed) noexcept {
  return seed * 134775813u + 1u;
}

// k * 2^-32 for the new seed k: in [0, 1), exactly representable. Inline: the simulation's hot
// loop draws twice a cycle.
inline long double RandomFraction() noexcept {
  RandomSeed = NextRandomSeed(RandomSeed);
  return static_cast<long double>(RandomSeed) * 0x1p-32L;  // exact; ldexp costs a library call
}

// The upper 32 bits of new seed * range: in [0, range) for range > 0; 0 for range 0.
std::int32_t RandomBelow(std::int32_t range) noexcept;

// The UTC time of day, as the clock seam delivers it.
struct TClockTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// Seeds the generator with the milliseconds since midnight UTC read from the clock seam.
void SeedRandomFromClock();

// Replaces the clock the seeding reads (tests set a fixed time); an empty function restores the
// system clock.
void SetRandomClock(std::function<TClockTime()> clock);

}  // namespace corvane
