// Intervals for a fit by parametric bootstrap.
//
//   TModelFit, n --BootstrapFit--> B replicate series of n reactions from the fitted model's
//                                  stationary state (stationary_series.h), each refitted the same
//                                  way (the same A rule, a1 held, the fit's broken pairs skipped)
//                                  --> percentile intervals
//
// Replicate i draws from SeedForIndex(Seed, i) alone, so the intervals do not depend on the thread
// count. A replicate whose fit fails (a lag-1 autocorrelation >= 0 happens at small n) or whose
// reactions leave the double range is counted in Failed and left out of the intervals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "analysis/model_fit.h"
#include "analysis/work_control.h"

namespace corvane {

struct TBootstrapOptions {
  std::size_t Replicates = 1000;
  std::uint64_t Seed = 0;
  double Level = 0.95;
};

struct TInterval {
  double Low = kNotANumber;
  double High = kNotANumber;
  bool Contains(double value) const noexcept { return Low <= value && value <= High; }
};

struct TBootstrapResult {
  std::size_t Replicates = 0;
  std::size_t Failed = 0;
  // Percentile intervals: the (1 - Level)/2 and (1 + Level)/2 quantiles (type 7) of the fitted
  // replicates' estimates, in TFitParameter order.
  std::array<TInterval, kFitParameterCount> Intervals{};
  // The fitted replicates' estimates, replicate by replicate in their order (the failed left out).
  std::vector<TFitVector> Estimates;
};

// `fit` must be fitted; n >= kMinimumReactionTimes. Runs on worker threads under `control`
// (progress, stop: EAnalysisCancelled).
TBootstrapResult BootstrapFit(const TModelFit& fit, std::size_t n, const TBootstrapOptions& options = {},
                              const TWorkControl& control = {});

}  // namespace corvane
