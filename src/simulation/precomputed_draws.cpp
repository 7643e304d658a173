#include "simulation/precomputed_draws.h"

#include "runtime/extended_log.h"
#include "runtime/fraction_power.h"

namespace corvane {

template <class Seed>
void TDrawsAhead<Seed>::UseExponent(long double exponent, const TFractionPower* table) {
  if (exponent == exponent_ && table == table_)
    return;
  exponent_ = exponent;
  power_ = TPowerFunction(exponent);
  table_ = table;
  next_ = kCycles;
}

template <class Seed>
long double TDrawsAhead<Seed>::LoneDistractionLog() {
  next_ = kCycles;
  std::uint32_t& seed = seed_();
  seed = NextRandomSeed(seed);
  if (seed == 0)
    throw EZeroDivide();
  return LogOfFraction(seed);
}

template <class Seed>
void TDrawsAhead<Seed>::Refill() {
  // The power of a fraction to a positive exponent lies in [0, 1] and raises nothing, so working
  // it out ahead raises nothing early.
  std::uint32_t seed = seed_();
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

template class TDrawsAhead<TProcessSeed>;
template class TDrawsAhead<TGeneratorSeed>;

}  // namespace corvane
