// The run log's line, FormatPeriodLine, against the same line built with snprintf, both into the
// std::string the memo receives: over the records of simulated reactions (what a long press logs)
// and over one fixed record.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/random.h"
#include "simulation/period_line.h"
#include "simulation/reaction_simulator.h"

namespace corvane {
namespace {

class CollectingSink : public TReactionSink {
 public:
  void AddPathPoint(double, double) override {}
  void AddPeriodRecord(const TPeriodRecord& record) override { records.push_back(record); }
  std::vector<TPeriodRecord> records;
};

const std::vector<TPeriodRecord>& SimulatedRecords() {
  static const std::vector<TPeriodRecord> records = [] {
    const std::uint32_t saved = RandomSeed;
    RandomSeed = 1;
    TReactionSimulator simulator;
    CollectingSink sink;
    for (int reaction = 0; sink.records.size() < 4096; ++reaction)
      simulator.SimulateReaction({5, 1, 1, 0.5, 0.5, 5}, reaction == 0, sink);
    RandomSeed = saved;
    return sink.records;
  }();
  return records;
}

const TPeriodRecord kRecord{
    17,   2, 4.022588722239782, 6.795177444479564, 2.772588722239781, 48.52258872223978, 6.795177444479564,
    31.75};

// Peer: the same text ("%.3f" gives the same digits for these values) from one snprintf.
std::string SnprintfPeriodLine(const TPeriodRecord& r) {
  char buffer[256];
  const int length = std::snprintf(
      buffer, sizeof buffer,
      "N=%6d K=%6d Y-Begin=%.3f Y-End=%.3f %s=%.3f Subtotal=%.3f YValue=%.3f asom=%.3f", r.N, r.K, r.YBegin,
      r.YEnd, r.K == 1 ? "WTerm" : "DTerm", r.Term, r.Subtotal, r.YValue, r.asom);
  return std::string(buffer, static_cast<std::size_t>(length));
}

template <std::string (*Format)(const TPeriodRecord&)>
void LinesOfSimulatedRecords(benchmark::State& state) {
  const std::vector<TPeriodRecord>& records = SimulatedRecords();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Format(records[i]));
    i = (i + 1) % records.size();
  }
}

void BM_FormatPeriodLine(benchmark::State& state) {
  LinesOfSimulatedRecords<FormatPeriodLine>(state);
}
BENCHMARK(BM_FormatPeriodLine);

void BM_SnprintfPeriodLine(benchmark::State& state) {
  LinesOfSimulatedRecords<SnprintfPeriodLine>(state);
}
BENCHMARK(BM_SnprintfPeriodLine);

void BM_FormatPeriodLineFixedRecord(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FormatPeriodLine(kRecord));
}
BENCHMARK(BM_FormatPeriodLineFixedRecord);

void BM_SnprintfPeriodLineFixedRecord(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(SnprintfPeriodLine(kRecord));
}
BENCHMARK(BM_SnprintfPeriodLineFixedRecord);

}  // namespace
}  // namespace corvane
