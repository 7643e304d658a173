#include "analysis/bootstrap.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/stationary_series.h"
#include "runtime/errors.h"
#include "runtime/random_generator.h"

namespace corvane {
namespace {

// The fit needs the minimum, mean, variance and lag 1 alone: one pass for the moments (the same
// computation as the window's statistics), no quantiles.
TModelFit RefitMoments(std::span<const double> values, std::span<const std::size_t> breaks,
                       const TFitOptions& options) {
  const TMoments moments = MomentsOf(MomentSumsOf(values, 1, breaks));
  const double A = options.KeepA ? options.A : *std::min_element(values.begin(), values.end());
  return FitModelToMoments(values.size(), A, moments.Mean, moments.Variance, moments.Autocorrelations[0],
                           options);
}

std::optional<TFitVector> Replicate(const TModelFit& fit, std::size_t n, std::uint32_t seed) {
  thread_local std::vector<double> values;
  values.resize(n);
  try {
    TStationarySeries series(fit.Parameters, seed);
    series.Fill(values);
  } catch (const EMathError&) {
    return std::nullopt;
  }
  // The replicate skips the pairs the data lacked, so its lag 1 has the data's precision.
  std::span<const std::size_t> breaks = fit.Breaks;
  breaks = breaks.first(
      static_cast<std::size_t>(std::lower_bound(breaks.begin(), breaks.end(), n) - breaks.begin()));
  const TModelFit refit = RefitMoments(values, breaks, fit.Options);
  if (!refit.Fitted())
    return std::nullopt;
  return refit.Estimates;
}

}  // namespace

TBootstrapResult BootstrapFit(const TModelFit& fit, std::size_t n, const TBootstrapOptions& options,
                              const TWorkControl& control) {
  TBootstrapResult result;
  result.Replicates = options.Replicates;
  if (!fit.Fitted() || n < 2)
    return result;
  std::vector<std::optional<TFitVector>> replicates(options.Replicates);
  ParallelFor(options.Replicates, control,
              [&](std::size_t i) { replicates[i] = Replicate(fit, n, SeedForIndex(options.Seed, i)); });
  for (const auto& r : replicates) {
    if (r)
      result.Estimates.push_back(*r);
    else
      ++result.Failed;
  }
  if (result.Estimates.empty())
    return result;
  const double tail = (1.0 - options.Level) / 2.0;
  std::vector<double> column(result.Estimates.size());
  for (int p = 0; p < kFitParameterCount; ++p) {
    for (std::size_t i = 0; i < column.size(); ++i)
      column[i] = result.Estimates[i][static_cast<std::size_t>(p)];
    std::sort(column.begin(), column.end());
    result.Intervals[static_cast<std::size_t>(p)] = {SortedQuantile(column, tail),
                                                     SortedQuantile(column, 1.0 - tail)};
  }
  return result;
}

}  // namespace corvane
