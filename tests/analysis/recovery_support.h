// Parameter recovery: simulate series with known parameters, fit each, bootstrap its intervals
// and count how often they cover the truth.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysis/stationary_series.h"

namespace corvane::test_support {

struct TRecovery {
  std::size_t series = 0;
  std::size_t unfit = 0;
  std::array<std::size_t, kFitParameterCount> covered{};        // percentile intervals
  std::array<std::size_t, kFitParameterCount> covered_basic{};  // basic: 2 estimate - percentiles
  std::array<double, kFitParameterCount> median{};              // of the estimates
  TFitVector truth{};

  double Share(std::size_t count) const {
    return static_cast<double>(count) / static_cast<double>(series - unfit);
  }
};

inline TFitVector TruthOf(const TParameterSet& P) {
  const double b = P.a1 / P.a0, k = P.c1 / P.a1;
  return {P.A, b, k, P.c0, P.a0, P.c1, (k + 1) * P.a0 / P.c0};
}

inline TRecovery Recover(const TParameterSet& P, std::size_t n, std::size_t series, std::size_t replicates) {
  TRecovery r;
  r.series = series;
  r.truth = TruthOf(P);
  std::vector<double> values(n);
  std::vector<TFitVector> estimates;
  TFitOptions options;
  options.a1 = P.a1;
  for (std::size_t s = 0; s < series; ++s) {
    TStationarySeries simulated(P, SeedForIndex(0xC0FFEE + n, s));
    simulated.Fill(values);
    const TModelFit fit = FitModel(values, options);
    if (!fit.Fitted()) {
      ++r.unfit;
      continue;
    }
    estimates.push_back(fit.Estimates);
    const TBootstrapResult boot = BootstrapFit(fit, n, {replicates, s, 0.95});
    for (std::size_t p = 0; p < kFitParameterCount; ++p) {
      const TInterval& i = boot.Intervals[p];
      r.covered[p] += i.Contains(r.truth[p]) ? 1 : 0;
      const TInterval basic{2 * fit.Estimates[p] - i.High, 2 * fit.Estimates[p] - i.Low};
      r.covered_basic[p] += basic.Contains(r.truth[p]) ? 1 : 0;
    }
  }
  for (std::size_t p = 0; p < kFitParameterCount; ++p) {
    std::vector<double> column;
    for (const TFitVector& e : estimates) column.push_back(e[p]);
    std::sort(column.begin(), column.end());
    r.median[p] = column.empty() ? kNotANumber : SortedQuantile(column, 0.5);
  }
  return r;
}

// One line of the recovery table on the test's output.
inline void Report(const char* name, std::size_t n, const TRecovery& r) {
  std::printf("recovery %s n=%zu unfit %.1f %%; coverage (percentile/basic) and median/truth:", name, n,
              100.0 * static_cast<double>(r.unfit) / static_cast<double>(r.series));
  for (std::size_t p = 0; p < kFitParameterCount; ++p)
    std::printf(" %s %.1f/%.1f %.3f", std::string(FitParameterName(static_cast<int>(p))).c_str(),
                100 * r.Share(r.covered[p]), 100 * r.Share(r.covered_basic[p]), r.median[p] / r.truth[p]);
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace corvane::test_support
