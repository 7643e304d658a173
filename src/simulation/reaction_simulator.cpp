#include "simulation/reaction_simulator.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

#include "runtime/errors.h"
#include "runtime/extended_log.h"
#include "runtime/float_checks.h"
#include "runtime/fraction_power.h"
#include "runtime/power.h"

namespace corvane {
namespace {

// A stored working value: rounded to double, or the fault it stands for. The rounding follows
// IEEE (a value beyond the double range becomes infinite), so testing the rounded double is enough
// and cheaper than testing the extended value; StoreDouble then names the fault.
[[noreturn]] void ThrowStoreFault(long double value) {
  StoreDouble(value);  // throws EInvalidOp for NaN, EOverflow otherwise
  throw EOverflow();
}

inline double Store(long double value) {
  const double stored = static_cast<double>(value);
  if (!std::isfinite(stored)) [[unlikely]]
    ThrowStoreFault(value);
  return stored;
}

// The cycle count wraps like the 32-bit counter it is instead of overflowing into undefined
// behaviour; only a reaction of more than 2^31 cycles gets that far.
constexpr std::int32_t NextCycleNumber(std::int32_t n) noexcept {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(n) + 1u);
}

// A work period leaves at least no inhibition. With a1 other than 1 the rounding of 1/a1 can make
// a1 * WTerm exceed Y by an ulp (U1 = 0, a1 = 3, Y = 5 would leave -2.2e-16 instead of 0).
inline long double NotBelowZero(long double y) noexcept {
  return y < 0.0L ? 0.0L : y;
}  // NaN stays

// Where a reaction takes its draws. BatchDraws takes the generator's draws from the simulator's
// batch worked out ahead (precomputed_draws.h), the process-wide generator's or a generator of
// the caller's; TInjectedDraws calls a caller's source. All give the same results for the same
// fractions.
//
// With a fractional exponent that a TFractionPower serves, the work share comes from its table,
// for injected draws too when they are fractions of the generator, so that both give one result.
template <class Ahead>
class BatchDraws {
 public:
  explicit BatchDraws(Ahead& draws) : draws_(draws) {}

  long double WorkShare() const { return draws_.WorkShare(); }
  long double DistractionLog() const { return draws_.DistractionLog(); }

 private:
  Ahead& draws_;
};

class TInjectedDraws {
 public:
  TInjectedDraws(const TRandomSource& source, long double exponent, const TFractionPower* table)
      : source_(source), power_(exponent), table_(table) {}

  long double WorkShare() const {
    const long double u1 = source_();
    if (table_) {
      if (const std::optional<std::uint32_t> k = FractionSeed(u1))
        return (*table_)(*k);
    }
    return power_(u1);
  }

  long double DistractionLog() const {
    const long double u2 = source_();
    if (u2 == 0.0L)
      throw EZeroDivide();  // ln 0
    return ExtendedLog(u2);
  }

 private:
  const TRandomSource& source_;
  const TPowerFunction power_;  // U1 -> U1^(a1/c1)
  const TFractionPower* table_;
};

// The working values of one reaction and its steps. Each formula is evaluated in extended
// precision and rounded to double where it is stored; a stored value that leaves the double range
// raises its fault there, so no infinite or NaN value is ever delivered.
template <typename Draws>
class TReaction {
 public:
  TReaction(const TParameterSet& P, double start_y, double& carried_y, Draws draws, TReactionSink& sink)
      : P_(P),
        // Loop invariants, hoisted: every cycle would compute the same extended values.
        inverse_a1_(1.0L / P.a1),
        inverse_c0_(1.0L / P.c0),
        carried_y_(carried_y),
        draws_(draws),
        sink_(sink),
        Y_(start_y) {
    record_.YValue = start_y;
  }

  double Run() {
    sink_.AddPathPoint(0.0, Y_);
    while (record_.asom < P_.A) {
      record_.N = NextCycleNumber(record_.N);
      WorkPeriod();
      DistractionPeriod();
    }
    return record_.Subtotal;
  }

 private:
  bool WorkComplete() const noexcept { return record_.asom >= P_.A; }

  // A random share of the inhibition is used up: Y becomes YBegin * U1^(a1/c1) up to rounding,
  // and that share divided by a1 is the work done, which is also the period's duration.
  void WorkPeriod() {
    record_.YBegin = Y_;
    WTerm_ = Store((1.0L - draws_.WorkShare()) * inverse_a1_ * Y_);
    Y_ = Store(NotBelowZero(Y_ - P_.a1 * static_cast<long double>(WTerm_)));
    record_.YEnd = Y_;
    record_.asom = Store(static_cast<long double>(record_.asom) + WTerm_);
    if (WorkComplete())
      CutAtCompletion();
    record_.YValue = record_.YEnd;
    record_.Subtotal = Store(static_cast<long double>(record_.Subtotal) + WTerm_);
    sink_.AddPathPoint(record_.Subtotal, record_.YValue);
    Emit(kWorkPeriod, WTerm_);
  }

  // The period ends at the moment the work reached A. asom keeps its value and Y is left alone:
  // only the logged end of the period and the inhibition carried to the next reaction move back.
  void CutAtCompletion() {
    const long double overshoot = static_cast<long double>(record_.asom) - P_.A;
    record_.YEnd = Store(overshoot * P_.a1 + record_.YEnd);
    carried_y_ = record_.YEnd;
    WTerm_ = Store(WTerm_ - overshoot);
  }

  // An exponential duration with mean 1/c0 during which the inhibition rises by a0 per unit. In
  // the completing cycle the draw is still consumed and evaluated, but the period does not count.
  void DistractionPeriod() {
    record_.YBegin = Y_;
    DTerm_ = Store(0.0L - draws_.DistractionLog() * inverse_c0_);
    Y_ = Store(P_.a0 * static_cast<long double>(DTerm_) + Y_);
    record_.YEnd = Y_;
    record_.YValue = record_.YEnd;
    const double work_completed_at = record_.Subtotal;
    record_.Subtotal = Store(static_cast<long double>(record_.Subtotal) + DTerm_);
    if (WorkComplete()) {
      // Restored rather than recomputed as Subtotal - DTerm: the subtraction would not give the
      // completion time back exactly, and a long distraction would swallow it entirely.
      record_.Subtotal = work_completed_at;
      record_.YValue = carried_y_;
    }
    sink_.AddPathPoint(record_.Subtotal, record_.YValue);
    if (!WorkComplete())
      Emit(kDistractionPeriod, DTerm_);
  }

  void Emit(std::int32_t kind, double term) {
    record_.K = kind;
    record_.Term = term;
    sink_.AddPeriodRecord(record_);
  }

  const TParameterSet P_;  // a copy: the caller's set may change while the sink runs
  const long double inverse_a1_;
  const long double inverse_c0_;
  double& carried_y_;
  const Draws draws_;
  TReactionSink& sink_;

  double Y_;
  double WTerm_ = 0.0;
  double DTerm_ = 0.0;
  // N, YBegin, YEnd, Subtotal, YValue and asom are worked on in the record the sink receives, so
  // that emitting it copies nothing.
  TPeriodRecord record_;
};

}  // namespace

TReactionSimulator::TReactionSimulator() = default;

TReactionSimulator::TReactionSimulator(TRandomGenerator& generator)
    : own_generator_(true), own_draws_(TGeneratorSeed(&generator)) {}

TReactionSimulator::TReactionSimulator(TRandomSource random) : random_(std::move(random)) {
  assert(random_);
}

double TReactionSimulator::SimulateReaction(const TParameterSet& P, bool FirstOfSeries, TReactionSink& sink) {
  assert(P.A > 0 && P.a1 > 0 && P.a0 > 0 && P.c1 > 0 && P.c0 > 0 && P.y0 > 0);
  const double start_y = FirstOfSeries ? P.y0 : carried_y_;
  if (P.a1 != exponent_a1_ || P.c1 != exponent_c1_) [[unlikely]]
    UseExponentOf(P);
  if (own_generator_)
    return TReaction(P, start_y, carried_y_, BatchDraws(own_draws_), sink).Run();
  if (!random_)
    return TReaction(P, start_y, carried_y_, BatchDraws(draws_ahead_), sink).Run();
  return TReaction(P, start_y, carried_y_, TInjectedDraws(random_, exponent_, table_), sink).Run();
}

void TReactionSimulator::UseExponentOf(const TParameterSet& P) {
  exponent_a1_ = P.a1;
  exponent_c1_ = P.c1;
  exponent_ = static_cast<long double>(P.a1) / P.c1;
  table_ = FractionPowerFor(exponent_);
  draws_ahead_.UseExponent(exponent_, table_);
  own_draws_.UseExponent(exponent_, table_);
}

const TFractionPower* TReactionSimulator::FractionPowerFor(long double exponent) {
  if (fraction_power_ && fraction_power_->Exponent() == exponent)
    return fraction_power_.get();
  if (!TFractionPower::Serves(exponent))
    return nullptr;
  // Building a table takes far longer than a short series of reactions; simulators made one
  // after another on a thread (a bootstrap makes one a replicate) share the thread's last one.
  thread_local std::shared_ptr<const TFractionPower> last_built;
  if (!last_built || last_built->Exponent() != exponent)
    last_built = std::make_shared<const TFractionPower>(exponent);
  fraction_power_ = last_built;
  return fraction_power_.get();
}

}  // namespace corvane
