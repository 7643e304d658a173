// The analysis beside its peers, each pair run side by side:
//   the model's 10^6 reactions (SimulateModel, one thread and every core) vs the simulator's own
//     10^6 reactions on the process-wide generator with a sink that does nothing;
//   one reaction appended to a series of 10^4 and its statistics vs recomputing them all;
//   the statistics of 10^6 values vs one plain pass of sums over them;
//   a fit with B = 1,000 at n = 1,000 (every core) vs the simulator's 10^6 reactions on one core;
//   loading 10^7 values vs std::from_chars over the same text;
//   corvane-cli simulate (formatting and writing to /dev/null) vs the simulator alone.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysis/model_prediction.h"
#include "analysis/reaction_time_reader.h"
#include "analysis/series_statistics.h"
#include "analysis/stationary_series.h"
#include "cli/cli_commands.h"
#include "runtime/random.h"
#include "simulation/reaction_simulator.h"
#include "simulation/null_sink.h"

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};

std::vector<double> StationaryValues(std::size_t n) {
  std::vector<double> values(n);
  TStationarySeries series(kDefaults, 11);
  series.Fill(values);
  return values;
}

// Peer: the simulator's own reactions, process-wide generator, one core.
void BM_SimulatorReactions(benchmark::State& state) {
  const auto reactions = static_cast<int>(state.range(0));
  TNullReactionSink sink;
  for (auto _ : state) {
    RandomSeed = 1;
    TReactionSimulator simulator;
    double sum = 0;
    for (int i = 0; i < reactions; ++i) sum += simulator.SimulateReaction(kDefaults, i == 0, sink);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_SimulatorReactions)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ModelSimulation(benchmark::State& state) {
  TWorkControl control;
  control.Threads = static_cast<unsigned>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(SimulateModel(kDefaults, {}, control));
}
BENCHMARK(BM_ModelSimulation)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// One reaction appended to a series of 10^4 and the statistics read, as the window does each
// reaction of a run; peer: all statistics recomputed from the values.
void BM_IncrementalAppend(benchmark::State& state) {
  const std::vector<double> values = StationaryValues(10'050);
  TIncrementalStatistics statistics;
  statistics.Assign(std::span<const double>(values).first(10'000));
  std::size_t next = 10'000;
  for (auto _ : state) {
    statistics.Append(values[next]);
    benchmark::DoNotOptimize(statistics.Statistics());
    if (++next == values.size()) {
      state.PauseTiming();
      statistics.Assign(std::span<const double>(values).first(10'000));
      next = 10'000;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_IncrementalAppend)->Unit(benchmark::kMicrosecond);

void BM_RecomputeAllStatistics(benchmark::State& state) {
  const std::vector<double> values = StationaryValues(10'000);
  for (auto _ : state) benchmark::DoNotOptimize(SeriesStatisticsOf(values));
}
BENCHMARK(BM_RecomputeAllStatistics)->Unit(benchmark::kMicrosecond);

void BM_StatisticsOfAMillion(benchmark::State& state) {
  const std::vector<double> values = StationaryValues(1'000'000);
  for (auto _ : state) benchmark::DoNotOptimize(SeriesStatisticsOf(values));
}
BENCHMARK(BM_StatisticsOfAMillion)->Unit(benchmark::kMillisecond);

void BM_AssignAMillion(benchmark::State& state) {
  const std::vector<double> values = StationaryValues(1'000'000);
  TIncrementalStatistics statistics;
  for (auto _ : state) {
    statistics.Assign(values);
    benchmark::DoNotOptimize(statistics.Statistics());
  }
}
BENCHMARK(BM_AssignAMillion)->Unit(benchmark::kMillisecond);

// Peer: one pass of plain sums over the same values.
void BM_PlainSumsOfAMillion(benchmark::State& state) {
  const std::vector<double> values = StationaryValues(1'000'000);
  for (auto _ : state) {
    double sum = 0, squares = 0, lagged = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
      sum += values[i];
      squares += values[i] * values[i];
      lagged += values[i] * values[i - 1];
    }
    benchmark::DoNotOptimize(sum + squares + lagged);
  }
}
BENCHMARK(BM_PlainSumsOfAMillion)->Unit(benchmark::kMillisecond);

void BM_FitWithBootstrap(benchmark::State& state) {
  const std::vector<double> values = StationaryValues(1000);
  for (auto _ : state) {
    const TModelFit fit = FitModel(values);
    benchmark::DoNotOptimize(BootstrapFit(fit, values.size(), {1000, 0, 0.95}));
  }
}
BENCHMARK(BM_FitWithBootstrap)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_FitWithBootstrapOneThread(benchmark::State& state) {
  const std::vector<double> values = StationaryValues(1000);
  TWorkControl control;
  control.Threads = 1;
  for (auto _ : state) {
    const TModelFit fit = FitModel(values);
    benchmark::DoNotOptimize(BootstrapFit(fit, values.size(), {1000, 0, 0.95}, control));
  }
}
BENCHMARK(BM_FitWithBootstrapOneThread)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

const std::string& TenMillionLines() {
  static const std::string text = [] {
    std::string t;
    const std::vector<double> values = StationaryValues(10'000'000);
    t.reserve(values.size() * 20);
    char number[32];
    for (const double v : values) {
      const auto end = std::to_chars(number, number + sizeof number, v).ptr;
      t.append(number, end);
      t.push_back('\n');
    }
    return t;
  }();
  return text;
}

void BM_ReadTenMillion(benchmark::State& state) {
  const std::string& text = TenMillionLines();
  for (auto _ : state) benchmark::DoNotOptimize(ReadReactionTimes(text));
  state.counters["bytes/value"] = static_cast<double>(sizeof(double));
}
BENCHMARK(BM_ReadTenMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

// Peer: std::from_chars over the same text, line by line, into a reserved vector.
void BM_FromCharsTenMillion(benchmark::State& state) {
  const std::string& text = TenMillionLines();
  for (auto _ : state) {
    std::vector<double> values;
    values.reserve(10'000'001);
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
      double v = 0;
      p = std::from_chars(p, end, v).ptr;
      values.push_back(v);
      ++p;  // the line end
    }
    benchmark::DoNotOptimize(values.data());
  }
}
BENCHMARK(BM_FromCharsTenMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CliSimulate(benchmark::State& state) {
  std::FILE* null = std::fopen("/dev/null", "w");
  const std::vector<std::string_view> args = {
      "simulate", "--params", "5,1,1,0.5,0.5,5", "--reactions", "1000000", "--seed", "1"};
  for (auto _ : state) benchmark::DoNotOptimize(RunCli(args, null, stderr));
  std::fclose(null);
  state.counters["reactions/s"] = benchmark::Counter(1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CliSimulate)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace corvane
