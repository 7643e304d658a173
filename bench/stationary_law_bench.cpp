// The stationary law's density beside its peer, run side by side:
//   the density at 1,000 reaction times, k = 20 and m = 14.4 (the fourth set, shaped like real
//     data), its shape cached vs the ex-Gaussian's closed-form density at the same points (the
//     field's standard, written out here: (1/tau) e^(mu/tau + sigma^2/(2 tau^2) - x/tau)
//     Phi((x - mu)/sigma - sigma/tau)), with the mean and SD of the law;
//   the same at k = inf (the independent limit's Bessel form);
//   the density the likelihood evaluates (LatticeDensity, shape_lattice.h: four lattice shapes
//     interpolated) at the same points, its shapes solved before timing;
//   a shape not computed before (the solve alone, no cache) at m = 5, 20, 50 (k = 20 as real data
//     give, and k = 1 and 1000) and at the four sets' (k, m).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "analysis/shape_lattice.h"
#include "analysis/stationary_law.h"
#include "analysis/stationary_shape_solver.h"

namespace corvane {
namespace {

const TStationaryLaw kFourth{0.3, 1.2, 20, 40};

std::vector<double> PointsOf(const TStationaryLaw& law) {
  std::vector<double> rt(1000);
  for (std::size_t i = 0; i < rt.size(); ++i)
    rt[i] = StationaryQuantile(law, 0.0005 + 0.999 * static_cast<double>(i) / static_cast<double>(rt.size()));
  return rt;
}

void ExGaussianDensity(double mu, double sigma, double tau, std::span<const double> x,
                       std::span<double> out) {
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double z = (x[i] - mu) / sigma - sigma / tau;
    out[i] = std::exp(mu / tau + sigma * sigma / (2 * tau * tau) - x[i] / tau) * 0.5 *
             std::erfc(-z / M_SQRT2) / tau;
  }
}

// Peer: the ex-Gaussian with the law's mean and SD (tau half the SD).
void BM_ExGaussianDensity(benchmark::State& state) {
  const std::vector<double> rt = PointsOf(kFourth);
  std::vector<double> out(rt.size());
  const double m = kFourth.b * kFourth.c0 * kFourth.A;
  const double mean = kFourth.A + m / kFourth.c0;
  const double sd = std::sqrt(2 * (kFourth.k + 1) * -std::expm1(-m / (kFourth.k + 1))) / kFourth.c0;
  const double tau = sd / 2, sigma = std::sqrt(sd * sd - tau * tau), mu = mean - tau;
  for (auto _ : state) {
    ExGaussianDensity(mu, sigma, tau, rt, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ExGaussianDensity)->Unit(benchmark::kMicrosecond);

void BM_StationaryDensityCachedShape(benchmark::State& state) {
  const std::vector<double> rt = PointsOf(kFourth);
  std::vector<double> out(rt.size());
  StationaryDensity(kFourth, rt, out);  // the shape solved and cached before timing
  for (auto _ : state) {
    StationaryDensity(kFourth, rt, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_StationaryDensityCachedShape)->Unit(benchmark::kMicrosecond);

void BM_LatticeDensity(benchmark::State& state) {
  const std::vector<double> rt = PointsOf(kFourth);
  std::vector<double> out(rt.size());
  LatticeDensity(kFourth, rt, out);  // the cell's shapes solved before timing
  for (auto _ : state) {
    LatticeDensity(kFourth, rt, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_LatticeDensity)->Unit(benchmark::kMicrosecond);

void BM_StationaryDensityIndependentLimit(benchmark::State& state) {
  TStationaryLaw law = kFourth;
  law.k = kInfiniteK;
  const std::vector<double> rt = PointsOf(law);
  std::vector<double> out(rt.size());
  for (auto _ : state) {
    StationaryDensity(law, rt, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_StationaryDensityIndependentLimit)->Unit(benchmark::kMicrosecond);

// A fresh shape: the solve the cache saves, (k, m) from the arguments (k and m in hundredths).
void BM_FreshShape(benchmark::State& state) {
  const double k = static_cast<double>(state.range(0)) / 100, m = static_cast<double>(state.range(1)) / 100;
  for (auto _ : state) benchmark::DoNotOptimize(SolveStationaryShape(k, m));
  state.SetLabel("k " + std::to_string(k) + ", m " + std::to_string(m));
}
BENCHMARK(BM_FreshShape)
    ->Args({50, 250})
    ->Args({150, 84})
    ->Args({50, 25})
    ->Args({2000, 1440})
    ->Args({500, 500})
    ->Args({2000, 5000})
    ->Args({100, 5000})
    ->Args({2000, 500})
    ->Args({2000, 2000})
    ->Args({100000, 5000})
    ->Args({20, 5000})
    ->Args({50, 2000})
    ->Args({199, 5000})
    ->Args({300, 5000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime();

}  // namespace
}  // namespace corvane
