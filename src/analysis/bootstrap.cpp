#include "analysis/bootstrap.h"

#include <algorithm>
#include <optional>

#include "analysis/stationary_series.h"

namespace corvane {

TBootstrapResult BootstrapFit(const TModelFit& fit, std::size_t n, const TBootstrapOptions& options,
                              const TWorkControl& control) {
  std::vector<std::optional<TFitVector>> replicates(options.Replicates);
  ParallelFor(options.Replicates, control, [&](std::size_t i) {
    ThrowIfStopped(control);
    try {
      TStationarySeries series(fit.Parameters, SeedForIndex(options.Seed, i));
      std::vector<double> times(n);
      series.Fill(times);
      const TModelFit refit = FitModel(times, fit.Options);
      if (refit.Fitted())
        replicates[i] = refit.Estimates;
    } catch (const EAnalysisCancelled&) {
      throw;
    } catch (const std::exception&) {
      // A replicate whose reactions leave the number range counts as failed.
    }
  });
  TBootstrapResult result;
  result.Replicates = options.Replicates;
  for (const auto& replicate : replicates) {
    if (replicate)
      result.Estimates.push_back(*replicate);
    else
      ++result.Failed;
  }
  for (std::size_t p = 0; p < static_cast<std::size_t>(kFitParameterCount); ++p) {
    std::vector<double> values;
    for (const TFitVector& estimates : result.Estimates) values.push_back(estimates[p]);
    std::sort(values.begin(), values.end());
    result.Intervals[p] = {SortedQuantile(values, (1 - options.Level) / 2),
                           SortedQuantile(values, (1 + options.Level) / 2)};
  }
  return result;
}

}  // namespace corvane
