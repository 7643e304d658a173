// The simulation's hot path: one reaction (cycles per second, with a sink that does nothing)
// against plain loops of the same arithmetic, at the default exponent a1/c1 = 2 (the integer
// rule), at a fractional one, 1/0.3 ~ 10/3 (the per-exponent table of powers), at a larger one,
// 5/0.3 ~ 16.7 (the same table with a longer series) and at 5/0.1 ~ 50 (the table of exponents);
// and its kernels against the library's.
//
// The machine's speed drifts from run to run; for ratios, interleave the repetitions:
//   simulation_bench --benchmark_repetitions=12 --benchmark_enable_random_interleaving=true
//
// The plain loops draw from the same generator and evaluate the same formulas (one power with the
// rule's exponent, one logarithm per cycle, the completion cut), but store nothing, check nothing
// and deliver nothing: once in double precision with std::pow and std::log, once in long double.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "runtime/extended_log.h"
#include "runtime/fraction_power.h"
#include "runtime/power.h"
#include "runtime/random.h"
#include "simulation/reaction_simulator.h"

namespace corvane {
namespace {

// Argument 0: the defaults (a1/c1 = 2); 1: c1 = 0.3 (a1/c1 = 3.33...); 2: a1 = 5, c1 = 0.3;
// 3: a1 = 5, c1 = 0.1.
TParameterSet Parameters(std::int64_t which) {
  switch (which) {
    case 0:
      return {5, 1, 1, 0.5, 0.5, 5};
    case 1:
      return {5, 1, 1, 0.3, 0.5, 5};
    case 2:
      return {5, 5, 1, 0.3, 0.5, 5};
    default:
      return {5, 5, 1, 0.1, 0.5, 5};
  }
}

class NullSink : public TReactionSink {
 public:
  void AddPathPoint(double time, double inhibition) override {
    benchmark::DoNotOptimize(time);
    benchmark::DoNotOptimize(inhibition);
  }
  void AddPeriodRecord(const TPeriodRecord& record) override { last_cycle = record.N; }
  std::int64_t last_cycle = 0;
};

void SetCycleRate(benchmark::State& state, std::int64_t cycles) {
  state.counters["cycles/s"] = benchmark::Counter(static_cast<double>(cycles), benchmark::Counter::kIsRate);
}

// A series of reactions with the parameters of the benchmark's argument.
void SimulateSeries(benchmark::State& state, TReactionSimulator& simulator) {
  const TParameterSet P = Parameters(state.range(0));
  RandomSeed = 1;
  NullSink sink;
  std::int64_t cycles = 0;
  bool first = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(simulator.SimulateReaction(P, first, sink));
    cycles += sink.last_cycle;
    first = false;
  }
  SetCycleRate(state, cycles);
}

void BM_SimulateReaction(benchmark::State& state) {
  TReactionSimulator simulator;
  SimulateSeries(state, simulator);
}
BENCHMARK(BM_SimulateReaction)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

// The same with the draws from a caller's source (as the tests inject them): a call through
// std::function per draw and the extended value's bits read back.
void BM_SimulateReactionInjected(benchmark::State& state) {
  TReactionSimulator simulator(RandomFraction);
  SimulateSeries(state, simulator);
}
BENCHMARK(BM_SimulateReactionInjected)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

// Peer: the reaction's arithmetic in a plain loop over Real (double or long double).
template <typename Real>
void PlainReactionLoop(benchmark::State& state) {
  const TParameterSet P = Parameters(state.range(0));
  const Real exponent = static_cast<Real>(P.a1) / static_cast<Real>(P.c1);
  const Real inverse_a1 = 1 / static_cast<Real>(P.a1);
  const Real inverse_c0 = 1 / static_cast<Real>(P.c0);
  const Real A = P.A, a1 = P.a1, a0 = P.a0;
  RandomSeed = 1;
  std::int64_t cycles = 0;
  Real y = P.y0;
  for (auto _ : state) {
    Real work = 0, time = 0;
    while (work < A) {
      const Real u1 = static_cast<Real>(RandomFraction());
      Real w = (1 - std::pow(u1, exponent)) * inverse_a1 * y;
      y -= a1 * w;
      Real y_end = y;
      work += w;
      if (work >= A) {
        const Real overshoot = work - A;
        y_end += overshoot * a1;
        w -= overshoot;
      }
      time += w;
      benchmark::DoNotOptimize(y_end);
      const Real d = 0 - std::log(static_cast<Real>(RandomFraction())) * inverse_c0;
      y += a0 * d;
      if (work < A)
        time += d;
      ++cycles;
    }
    benchmark::DoNotOptimize(time);
  }
  SetCycleRate(state, cycles);
}

void BM_PlainLoopDouble(benchmark::State& state) {
  PlainReactionLoop<double>(state);
}
BENCHMARK(BM_PlainLoopDouble)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

void BM_PlainLoopLongDouble(benchmark::State& state) {
  PlainReactionLoop<long double>(state);
}
BENCHMARK(BM_PlainLoopLongDouble)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

// The kernels over the generator's draws, against the library's long double functions.
void BM_ExtendedLog(benchmark::State& state) {
  RandomSeed = 1;
  for (auto _ : state) benchmark::DoNotOptimize(ExtendedLog(RandomFraction() + 0x1p-40L));
}
BENCHMARK(BM_ExtendedLog);

void BM_LibraryLog(benchmark::State& state) {
  RandomSeed = 1;
  for (auto _ : state) benchmark::DoNotOptimize(std::log(RandomFraction() + 0x1p-40L));
}
BENCHMARK(BM_LibraryLog);

constexpr long double kFractionalExponent = 1.0L / 0.3L;

void BM_FractionalPower(benchmark::State& state) {
  const TPowerFunction power(kFractionalExponent);
  RandomSeed = 1;
  for (auto _ : state) benchmark::DoNotOptimize(power(RandomFraction() + 0x1p-40L));
}
BENCHMARK(BM_FractionalPower);

// Argument 0: 1/0.3 from the table of powers; 1: 5/0.3, the same with the longer series; 2: 5/0.1
// from the table of exponents.
void BM_FractionPowerTable(benchmark::State& state) {
  const long double exponents[] = {kFractionalExponent, 5 * kFractionalExponent, 5.0L / 0.1L};
  const TFractionPower table(exponents[state.range(0)]);
  RandomSeed = 1;
  for (auto _ : state) {
    RandomSeed = NextRandomSeed(RandomSeed);
    benchmark::DoNotOptimize(table(RandomSeed));
  }
}
BENCHMARK(BM_FractionPowerTable)->Arg(0)->Arg(1)->Arg(2);

void BM_LibraryPower(benchmark::State& state) {
  RandomSeed = 1;
  for (auto _ : state) benchmark::DoNotOptimize(std::pow(RandomFraction() + 0x1p-40L, kFractionalExponent));
}
BENCHMARK(BM_LibraryPower);

}  // namespace
}  // namespace corvane
