// The generator's draws for the reaction's hot loop, taken ahead in batches.
//
// A cycle draws twice: the work share U1^(a1/c1) from the first draw and ln U2 from the second.
// Both depend on the generator's seed alone, not on the reaction, so a batch of cycles is worked
// out in one loop without calls, where the processor overlaps one cycle's kernels with the next
// cycle's, instead of one after another inside the reaction's chain of dependent values. The seed
// still advances draw by draw as the reaction uses them, and an entry is used only while the seed
// stands where the entry began: whatever moved the seed in between (a reaction ended by an error
// after its work draw, a caller assigning RandomSeed, another user of the generator) makes the
// batch start again from the seed as it is. So the results are those of drawing one by one.
//
// The seed is the process-wide RandomSeed (TPrecomputedDraws) or a TRandomGenerator's own
// (TGeneratorDraws, for background work that must leave RandomSeed alone): one template, so both
// draw the same values from the same seed at the same speed.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

#include "runtime/errors.h"
#include "runtime/power.h"
#include "runtime/random.h"
#include "runtime/random_generator.h"

namespace corvane {

class TFractionPower;

// Where the seed lives.
struct TProcessSeed {
  std::uint32_t& operator()() const noexcept { return RandomSeed; }
};
class TGeneratorSeed {
 public:
  explicit TGeneratorSeed(TRandomGenerator* generator = nullptr) noexcept : generator_(generator) {}
  std::uint32_t& operator()() const noexcept { return generator_->SeedCell(); }

 private:
  TRandomGenerator* generator_;
};

template <class Seed>
class TDrawsAhead {
 public:
  explicit TDrawsAhead(Seed seed = Seed()) noexcept : seed_(seed) {}

  // The exponent of the work share and its table, if one serves it (fraction_power.h); the
  // batch is discarded when they change.
  void UseExponent(long double exponent, const TFractionPower* table);

  // The work share of the next draw; steps the generator.
  long double WorkShare() {
    if (next_ == kCycles || seed_() != cycles_[next_].seed_before) [[unlikely]]
      Refill();
    const Cycle& cycle = cycles_[next_];
    seed_() = cycle.work_seed;
    return cycle.work_share;
  }

  // ln U2 of the next draw, which follows a WorkShare; steps the generator. A draw of 0 raises
  // EZeroDivide, as it has no logarithm.
  long double DistractionLog() {
    assert(next_ < kCycles);
    const Cycle& cycle = cycles_[next_];
    if (seed_() != cycle.work_seed) [[unlikely]]
      return LoneDistractionLog();
    ++next_;
    seed_() = cycle.distraction_seed;
    if (cycle.distraction_seed == 0) [[unlikely]]
      throw EZeroDivide();
    return cycle.distraction_log;
  }

 private:
  struct Cycle {
    long double work_share;
    long double distraction_log;  // of 2^-32 in place of 0 for a draw of 0, which raises instead
    std::uint32_t seed_before;
    std::uint32_t work_seed;
    std::uint32_t distraction_seed;
  };
  static constexpr int kCycles = 16;

  void Refill();
  // The seed moved after the work draw (the sink drew): this draw alone, from where the seed stands.
  long double LoneDistractionLog();

  Seed seed_;
  std::array<Cycle, kCycles> cycles_{};
  int next_ = kCycles;  // the cycle of the next work draw; kCycles when none is worked out
  long double exponent_ = 0;
  TPowerFunction power_{1.0L};
  const TFractionPower* table_ = nullptr;
};

extern template class TDrawsAhead<TProcessSeed>;
extern template class TDrawsAhead<TGeneratorSeed>;
using TPrecomputedDraws = TDrawsAhead<TProcessSeed>;
using TGeneratorDraws = TDrawsAhead<TGeneratorSeed>;

}  // namespace corvane
