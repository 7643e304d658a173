#include "runtime/random.h"

#include <cmath>
#include <ctime>

namespace corvane {

std::uint32_t RandomSeed = 0;

namespace {

TClockTime SystemClockUtc() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm utc{};
  gmtime_r(&now.tv_sec, &utc);
  return {utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(now.tv_nsec / 1000000)};
}

std::function<TClockTime()>& Clock() {
  static std::function<TClockTime()> clock = SystemClockUtc;
  return clock;
}

}  // namespace

std::int32_t RandomBelow(std::int32_t range) noexcept {
  RandomSeed = NextRandomSeed(RandomSeed);
  const std::uint64_t product = static_cast<std::uint64_t>(RandomSeed) * static_cast<std::uint32_t>(range);
  return static_cast<std::int32_t>(product >> 32);
}

void SeedRandomFromClock() {
  const TClockTime t = Clock()();
  RandomSeed = static_cast<std::uint32_t>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond);
}

void SetRandomClock(std::function<TClockTime()> clock) {
  Clock() = clock ? std::move(clock) : std::function<TClockTime()>(SystemClockUtc);
}

}  // namespace corvane
