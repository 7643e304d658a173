#include "simulation/precomputed_draws.h"

#include "runtime/extended_log.h"
#include "runtime/fraction_power.h"

namespace corvane {

void TPrecomputedDraws::UseExponent(long double exponent, const TFractionPower* table) {
  if (exponent == exponent_ && table == table_)
    return;
  exponent_ = exponent;
  power_ = TPowerFunction(exponent);
  table_ = table;
  next_ = kCycles;
}

long double TPrecomputedDraws::LoneDistractionLog() {
  next_ = kCycles;
  RandomSeed = NextRandomSeed(RandomSeed);
  if (RandomSeed == 0)
    throw EZeroDivide();
  return LogOfFraction(RandomSeed);
}

void TPrecomputedDraws::Refill() {
  // The power of a fraction to a positive exponent lies in [0, 1] and raises nothing, so working
  // it out ahead raises nothing early.
  std::uint32_t seed = RandomSeed;
  for (Cycle& cycle : cycles_) {
    cycle.seed_before = seed;
    cycle.work_seed = NextRandomSeed(seed);
    cycle.distraction_seed = NextRandomSeed(cycle.work_seed);
    seed = cycle.distraction_seed;
    cycle.work_share = table_ ? (*table_)(cycle.work_seed) : power_.OfFraction(cycle.work_seed);
    cycle.distraction_log = LogOfFraction(cycle.distraction_seed | (cycle.distraction_seed == 0 ? 1u : 0u));
  }
  next_ = 0;
}

}  // namespace corvane
