// The likelihood fit beside the field's standard, side by side on the same data:
//   the model's point estimate by ML (k free, no intervals) vs the ex-Gaussian's ML, on a series
//     shaped like a real participant's cell (n = 170, the set (0.3, 1, 0.8333, 20, 40, 0.4375),
//     k = 20, m = 14.4, to the millisecond) and on a long one (n = 1,000);
//   a whole fit with B = 1,000 bootstrap replicates at n = 1,000 (every core), the time a user waits.
//   the same point estimates with the lattice's shapes at hand (a refit's cost);
//   50 cells shaped like real data (n = 170, k 8-40, m 5-40), each with B = 1,000 replicates, from a
//     cold start: the time for the 1,370 cells of a real data set is 1370/50 of it or less (the
//     lattice's shapes, kept for the session, are shared by the cells).
// The lattice's shapes are solved once per node and kept for the session (shape_lattice.h): the
// first fit of a session pays for the shapes it needs. Times are the process's CPU time over every
// thread as well as the wall clock (the machines these run on are shared).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "analysis/likelihood_fit.h"
#include "analysis/standard_distribution_fits.h"
#include "analysis/stationary_likelihood.h"
#include "analysis/stationary_series.h"

namespace corvane {
namespace {

const TParameterSet kRealShaped{0.3, 1, 0.8333, 20, 40, 0.4375};

std::vector<double> Cell(std::size_t n, std::uint32_t seed) {
  std::vector<double> values(n);
  TStationarySeries series(kRealShaped, seed);
  series.Fill(values);
  for (double& v : values) v = std::nearbyint(v * 1000) / 1000;
  return values;
}

void BM_ModelPointEstimate(benchmark::State& state) {
  const auto values = Cell(static_cast<std::size_t>(state.range(0)), 5);
  TLikelihoodOptions options;
  for (auto _ : state) benchmark::DoNotOptimize(FitStationaryLaw(values, options));
}
BENCHMARK(BM_ModelPointEstimate)->Arg(170)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ModelPointEstimateShapesAtHand(benchmark::State& state) {
  const auto values = Cell(static_cast<std::size_t>(state.range(0)), 5);
  TLikelihoodOptions options;
  benchmark::DoNotOptimize(FitStationaryLaw(values, options));  // its shapes solved
  for (auto _ : state) benchmark::DoNotOptimize(FitStationaryLaw(values, options));
}
BENCHMARK(BM_ModelPointEstimateShapesAtHand)->Arg(170)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ExGaussianPointEstimate(benchmark::State& state) {
  const auto values = Cell(static_cast<std::size_t>(state.range(0)), 5);
  for (auto _ : state) benchmark::DoNotOptimize(FitExGaussian(values));
}
BENCHMARK(BM_ExGaussianPointEstimate)->Arg(170)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_FitWithThousandReplicates(benchmark::State& state) {
  const auto values = Cell(1000, 6);
  TLikelihoodFitOptions options;
  options.Replicates = 1000;
  for (auto _ : state) benchmark::DoNotOptimize(FitByLikelihood(values, options));
}
BENCHMARK(BM_FitWithThousandReplicates)->Unit(benchmark::kSecond)->Iterations(1)->MeasureProcessCPUTime();

// Cell i of 50: A 0.25-0.45, k 8-40 and m 5-40 spread evenly (a low-discrepancy walk), a1 = 1.
std::vector<double> RealisticCell(std::size_t i) {
  const double u = static_cast<double>(i) + 0.5;
  const double A = 0.25 + 0.2 * std::fmod(u * 0.618034, 1.0);
  const double k = 8 * std::pow(5.0, std::fmod(u * 0.754878, 1.0));
  const double m = 5 * std::pow(8.0, std::fmod(u * 0.569840, 1.0));
  const double c0 = 40, b = m / (c0 * A), a0 = 1 / b;
  const TParameterSet P{A, 1, a0, k, c0, (k + 1) * a0 / c0};
  std::vector<double> values(170);
  TStationarySeries series(P, static_cast<std::uint32_t>(100 + i));
  series.Fill(values);
  for (double& v : values) v = std::nearbyint(v * 1000) / 1000;
  return values;
}

void BM_FiftyCellsWithIntervals(benchmark::State& state) {
  std::vector<std::vector<double>> cells;
  for (std::size_t i = 0; i < 50; ++i) cells.push_back(RealisticCell(i));
  TLikelihoodFitOptions options;
  options.Replicates = 1000;
  for (auto _ : state)
    for (const auto& cell : cells) benchmark::DoNotOptimize(FitByLikelihood(cell, options));
}
BENCHMARK(BM_FiftyCellsWithIntervals)->Unit(benchmark::kSecond)->Iterations(1)->MeasureProcessCPUTime();

}  // namespace
}  // namespace corvane
