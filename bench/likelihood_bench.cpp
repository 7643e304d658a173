// The likelihood fit beside the field's standard, side by side on the same data:
//   the model's point estimate by ML (k free, no intervals) vs the ex-Gaussian's ML, on a series
//     shaped like a real participant's cell (n = 170, the set (0.3, 1, 0.8333, 20, 40, 0.4375),
//     k = 20, m = 14.4, to the millisecond) and on a long one (n = 1,000);
//   a whole fit with B = 1,000 bootstrap replicates at n = 1,000 (every core), the time a user waits.
// A cell's shape is computed once per (k, m) and kept (stationary_law.h): the first iterations pay
// for the shapes, the rest show a refit's cost.
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
BENCHMARK(BM_ModelPointEstimate)->Arg(170)->Arg(1000)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_FitWithThousandReplicates)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace corvane
