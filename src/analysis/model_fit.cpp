#include "analysis/model_fit.h"

#include <cmath>
#include <cstdio>

#include "analysis/reaction_time_reader.h"

namespace corvane {
namespace {

std::string Signed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%+.2f", value);
  return text;
}

std::string Plain(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

TModelFit Unfitted(TModelFit fit, TFitCondition condition, std::string message) {
  fit.Condition = condition;
  fit.Message = std::move(message);
  fit.Estimates.fill(kNotANumber);
  return fit;
}

}  // namespace

std::string_view FitParameterName(int parameter) {
  static constexpr std::string_view kNames[kFitParameterCount] = {"A", "b", "k", "c0", "a0", "c1", "y0"};
  return parameter >= 0 && parameter < kFitParameterCount ? kNames[parameter] : std::string_view();
}

TModelFit FitModelToMoments(std::size_t count, double A, double mean, double variance, double lag1,
                            const TFitOptions& options) {
  TModelFit fit;
  fit.Count = count;
  fit.Mean = mean;
  fit.Variance = variance;
  fit.Lag1 = lag1;
  fit.Options = options;
  fit.Estimates.fill(kNotANumber);
  if (count < kMinimumReactionTimes)
    return Unfitted(fit, TFitCondition::TooFewValues,
                    "the fit needs at least " + std::to_string(kMinimumReactionTimes) +
                        " reaction times; these are " + std::to_string(count));
  if (!(variance > 0))
    return Unfitted(fit, TFitCondition::NoVariation, "every reaction time is the same");
  if (!(lag1 < 0))
    return Unfitted(fit, TFitCondition::Lag1NotNegative,
                    "the model predicts a negative lag-1 autocorrelation; these data have " + Signed(lag1));
  if (!(lag1 > -0.5))
    return Unfitted(fit, TFitCondition::Lag1AtOrBelowHalf,
                    "the model predicts a lag-1 autocorrelation above -0.5; these data have " + Signed(lag1));
  if (!(mean > A))
    return Unfitted(fit, TFitCondition::MeanNotAboveA,
                    "the model predicts a mean above A = " + Plain(A) + "; these data have " + Plain(mean));
  const double b = mean / A - 1;
  const double r = 1 + 2 * lag1;
  const double minus_log_r = -std::log(r);
  const double c0 = 2 * b * A * (1 - r) / (variance * minus_log_r);
  const double k = b * c0 * A / minus_log_r - 1;
  if (!(k > 0))
    return Unfitted(fit, TFitCondition::KNotPositive,
                    "the model needs k = c1/a1 > 0; these data give k = " + Plain(k));
  const double a1 = options.a1;
  const double a0 = a1 / b;
  const double c1 = k * a1;
  const double y0 = (k + 1) * a0 / c0;
  fit.Estimates = {A, b, k, c0, a0, c1, y0};
  for (double estimate : fit.Estimates)
    if (!std::isfinite(estimate) || !(estimate > 0))
      return Unfitted(fit, TFitCondition::NotFinite, "an estimate leaves the number range");
  fit.Parameters = {A, a1, a0, c1, c0, y0};
  fit.Condition = TFitCondition::Fitted;
  return fit;
}

TModelFit FitModel(const TSeriesStatistics& s, const TFitOptions& options) {
  const double A = options.KeepA ? options.A : s.Minimum;
  return FitModelToMoments(s.Count, A, s.Mean, s.Variance, s.Autocorrelations[0], options);
}

TModelFit FitModel(std::span<const double> values, const TFitOptions& options) {
  return FitModel(SeriesStatisticsOf(values), options);
}

}  // namespace corvane
