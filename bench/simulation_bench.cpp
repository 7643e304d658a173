// The simulation's hot path: one reaction with the default parameters (cycles per second, against
// a bare loop of the same formulas without checks or deliveries), its logarithm (against the
// library's), and the memo line (against the same line built with snprintf).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "runtime/random.h"
#include "simulation/extended_log.h"
#include "simulation/period_line.h"
#include "simulation/reaction_simulator.h"

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};

// Keeps only what it needs to count the cycles.
class CountingSink : public TReactionSink {
 public:
  void AddPathPoint(double time, double inhibition) override {
    benchmark::DoNotOptimize(time);
    benchmark::DoNotOptimize(inhibition);
  }
  void AddPeriodRecord(const TPeriodRecord& record) override { last_cycle = record.N; }
  std::int64_t last_cycle = 0;
};

void BM_SimulateReaction(benchmark::State& state) {
  RandomSeed = 1;
  TReactionSimulator simulator;
  CountingSink sink;
  std::int64_t cycles = 0;
  bool first = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(simulator.SimulateReaction(kDefaults, first, sink));
    cycles += sink.last_cycle;
    first = false;
  }
  state.counters["cycles/s"] = benchmark::Counter(static_cast<double>(cycles), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimulateReaction);

// Peer: the same draws and formulas in a plain loop, nothing stored, checked or delivered.
void BM_PlainReactionLoop(benchmark::State& state) {
  RandomSeed = 1;
  std::int64_t cycles = 0;
  long double y = kDefaults.y0;
  for (auto _ : state) {
    long double work = 0, time = 0;
    while (work < kDefaults.A) {
      const long double u1 = RandomFraction();
      const long double w = (1.0L - u1 * u1) * y;
      y -= w;
      work += w;
      time += w;
      const long double d = -std::log(RandomFraction()) * 2.0L;
      y += d;
      time += d;
      ++cycles;
    }
    benchmark::DoNotOptimize(time);
  }
  state.counters["cycles/s"] = benchmark::Counter(static_cast<double>(cycles), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainReactionLoop);

// The distraction durations' logarithm against the library's long double logarithm, over the
// generator's draws.
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

const TPeriodRecord kRecord{
    17,   2, 4.022588722239782, 6.795177444479564, 2.772588722239781, 48.52258872223978, 6.795177444479564,
    31.75};

void BM_FormatPeriodLine(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FormatPeriodLine(kRecord));
}
BENCHMARK(BM_FormatPeriodLine);

// Peer: the same line from snprintf, into a std::string as the memo receives it.
std::string SnprintfPeriodLine(const TPeriodRecord& r) {
  char buffer[256];
  const int length = std::snprintf(
      buffer, sizeof buffer,
      "N=%6d K=%6d Y-Begin=%.3f Y-End=%.3f %s=%.3f Subtotal=%.3f YValue=%.3f asom=%.3f", r.N, r.K, r.YBegin,
      r.YEnd, r.K == 1 ? "WTerm" : "DTerm", r.Term, r.Subtotal, r.YValue, r.asom);
  return std::string(buffer, static_cast<std::size_t>(length));
}

void BM_SnprintfPeriodLine(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(SnprintfPeriodLine(kRecord));
}
BENCHMARK(BM_SnprintfPeriodLine);

}  // namespace
}  // namespace corvane
