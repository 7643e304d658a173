// The stationary law's distribution function against the model's own simulator: n reactions of
// a stationary series (analysis/stationary_series.h), the share at or below each point, and its
// standard error by batch means (the reactions are dependent).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/stationary_law.h"
#include "analysis/stationary_series.h"

namespace corvane::test_support {

inline TStationaryLaw LawOf(const TParameterSet& P) {
  return {P.A, P.a1 / P.a0, P.c1 / P.a1, P.c0};
}

// Compares P(RT <= x) at the law's quantiles `levels` with the simulated shares: each within
// `sigmas` batch-means standard errors. The atom's point A is always among them.
inline void ExpectDistributionMatchesSimulation(const TParameterSet& P, std::size_t n, std::size_t batches,
                                                std::vector<double> levels, double sigmas,
                                                std::uint32_t seed) {
  const TStationaryLaw law = LawOf(P);
  std::vector<double> points{law.A};
  for (double p : levels)
    if (p > StationaryAtom(law))
      points.push_back(StationaryQuantile(law, p));
  TStationarySeries series(P, seed);
  const std::size_t batch = n / batches;
  std::vector<double> sum(points.size(), 0.0), sum2(points.size(), 0.0);
  std::vector<std::size_t> count(points.size());
  for (std::size_t b = 0; b < batches; ++b) {
    std::fill(count.begin(), count.end(), 0);
    for (std::size_t i = 0; i < batch; ++i) {
      const double rt = series.Next();
      for (std::size_t p = 0; p < points.size(); ++p) count[p] += rt <= points[p] ? 1 : 0;
    }
    for (std::size_t p = 0; p < points.size(); ++p) {
      const double share = static_cast<double>(count[p]) / static_cast<double>(batch);
      sum[p] += share;
      sum2[p] += share * share;
    }
  }
  const auto B = static_cast<double>(batches);
  for (std::size_t p = 0; p < points.size(); ++p) {
    const double mean = sum[p] / B;
    const double se = std::sqrt(std::max(0.0, sum2[p] / B - mean * mean) / (B - 1));
    const double model = StationaryDistribution(law, points[p]);
    EXPECT_LE(std::fabs(mean - model), sigmas * se + 1e-12)
        << "k " << law.k << " at rt " << points[p] << ": model " << model << ", simulated " << mean << " +/- "
        << se;
  }
}

}  // namespace corvane::test_support
