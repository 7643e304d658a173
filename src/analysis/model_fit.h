// The model fitted to a series of reaction times, in closed form, with its bootstrap intervals.
//
//   values, TFitOptions --FitModel--> TModelFit: A, b, k, c0 estimated; a1 held; a0, c1, y0 derived
//   TModelFit, n --BootstrapFit (bootstrap.h)--> 95 % intervals
//
// The inhibition's scale is not identifiable from reaction times (scaling Y, a1, a0 and c1
// together changes no reaction time), so a1 is held at the caller's value and the fit estimates
// A, b = a1/a0, k = c1/a1 and c0 from the mean, the variance and the lag-1 autocorrelation:
//   A = the sample minimum (the default: the minimum is A whenever a reaction had no
//       distraction) or the caller's A ("keep A");
//   b = mean/A - 1;  r = 1 + 2 lag1;  c0 = 2 b A (1 - r) / (variance (-ln r));
//   k + 1 = b c0 A / (-ln r);  then a0 = a1/b, c1 = k a1, y0 = (k + 1) a0 / c0 (the carried
//   inhibition's stationary mean).
// FitModel alone decides whether a fit stands: every condition is a value of its result, and the
// front ends (the window, the command line) show it without judging it again.
// Data the model cannot describe get a plain message naming the condition and the data's value:
//   "the model predicts a negative lag-1 autocorrelation; these data have +0.12".
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/series_statistics.h"
#include "simulation/parameter_set.h"

namespace corvane {

// The fewest reaction times the fit takes: below it the moments' sampling error swamps the model.
inline constexpr std::size_t kMinimumReactionTimes = 20;

enum class TFitCondition {
  Fitted,
  TooFewValues,       // fewer than kMinimumReactionTimes
  NoVariation,        // every value the same
  Lag1NotNegative,    // lag1 >= 0
  Lag1AtOrBelowHalf,  // lag1 <= -1/2
  MeanNotAboveA,      // mean <= A
  KNotPositive,       // k <= 0
  NotFinite           // an estimate, or a figure of the fitted model, left the double range
};

struct TFitOptions {
  double a1 = 1;       // held: the inhibition's scale
  bool KeepA = false;  // false: A is the sample minimum
  double A = 0;        // used when KeepA
};

// The parameters a fit reports, in one indexable list (the intervals' order too).
enum TFitParameter : int { kFitA, kFitB, kFitK, kFitC0, kFitA0, kFitC1, kFitY0, kFitParameterCount };
using TFitVector = std::array<double, kFitParameterCount>;

// "A", "b", "k", "c0", "a0", "c1", "y0".
std::string_view FitParameterName(int parameter);

struct TModelFit {
  TFitCondition Condition = TFitCondition::TooFewValues;
  std::string Message;  // empty when fitted
  std::size_t Count = 0;
  // The moments the fit used.
  double Mean = kNotANumber;
  double Variance = kNotANumber;
  double Lag1 = kNotANumber;
  // The estimates (NaN where not fitted) and the parameter set they make, a1 held.
  TFitVector Estimates{};
  TParameterSet Parameters;
  TFitOptions Options;
  // Where the series' pairs break (series_statistics.h, Gaps): the lag 1 the fit used skipped
  // them, and so does each bootstrap replicate's refit.
  std::vector<std::size_t> Breaks;

  bool Fitted() const noexcept { return Condition == TFitCondition::Fitted; }
};

TModelFit FitModel(std::span<const double> values, const TFitOptions& options = {});
// A series with gaps: `breaks` ascending in [1, n), the pairs (t - 1, t) left out of the lags.
TModelFit FitModel(std::span<const double> values, std::span<const std::size_t> breaks,
                   const TFitOptions& options = {});
// From statistics already at hand (the window's): the minimum, mean, variance and lag 1.
TModelFit FitModel(const TSeriesStatistics& statistics, const TFitOptions& options = {});
// The closed form itself, given A and the three moments.
TModelFit FitModelToMoments(std::size_t count, double A, double mean, double variance, double lag1,
                            const TFitOptions& options = {});

}  // namespace corvane
