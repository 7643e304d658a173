#include "analysis/model_fit.h"

#include <cmath>
#include <cstdio>

#include "analysis/model_prediction.h"

namespace corvane {
namespace {

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Four significant digits, as the messages show the data's figures.
std::string Figure(double value) {
  return Printed("%.4g", value);
}

TModelFit Rejected(TModelFit fit, TFitCondition condition, std::string message) {
  fit.Condition = condition;
  fit.Message = std::move(message);
  fit.Estimates.fill(kNotANumber);
  fit.Parameters = {};
  return fit;
}

}  // namespace

std::string_view FitParameterName(int parameter) {
  static constexpr std::array<std::string_view, kFitParameterCount> kNames = {"A",  "b",  "k", "c0",
                                                                              "a0", "c1", "y0"};
  return parameter >= 0 && parameter < kFitParameterCount ? kNames[static_cast<std::size_t>(parameter)] : "";
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
    return Rejected(fit, TFitCondition::TooFewValues,
                    "the fit needs at least " + std::to_string(kMinimumReactionTimes) +
                        " reaction times; these data have " + std::to_string(count));
  if (!(variance > 0))
    return Rejected(fit, TFitCondition::NoVariation,
                    "the model predicts reaction times that vary; these data are all " + Figure(mean));
  if (!(lag1 < 0))
    return Rejected(
        fit, TFitCondition::Lag1NotNegative,
        "the model predicts a negative lag-1 autocorrelation; these data have " + Printed("%+.2f", lag1));
  if (!(lag1 > -0.5))
    return Rejected(
        fit, TFitCondition::Lag1AtOrBelowHalf,
        "the model predicts a lag-1 autocorrelation above -0.5; these data have " + Printed("%+.2f", lag1));
  if (!(mean > A))
    return Rejected(fit, TFitCondition::MeanNotAboveA,
                    "the model predicts a mean above A; these data have a mean of " + Figure(mean) +
                        " with A = " + Figure(A));
  const long double b = static_cast<long double>(mean) / A - 1.0L;
  const long double r = 1.0L + 2.0L * lag1;
  const long double minus_log_r = -std::log(r);
  const long double c0 = 2.0L * b * A * (1.0L - r) / (variance * minus_log_r);
  const long double k = b * c0 * A / minus_log_r - 1.0L;
  if (!(k > 0))
    return Rejected(
        fit, TFitCondition::KNotPositive,
        "the model predicts k = c1/a1 above 0; these data give k = " + Figure(static_cast<double>(k)));
  const long double a0 = options.a1 / b;
  const long double c1 = k * options.a1;
  const long double y0 = (k + 1.0L) * a0 / c0;
  fit.Estimates = {A,
                   static_cast<double>(b),
                   static_cast<double>(k),
                   static_cast<double>(c0),
                   static_cast<double>(a0),
                   static_cast<double>(c1),
                   static_cast<double>(y0)};
  for (const double e : fit.Estimates)
    if (!std::isfinite(e) || !(e > 0))
      return Rejected(fit, TFitCondition::NotFinite,
                      "the estimates leave the range of numbers the model can use");
  fit.Parameters = {A,
                    options.a1,
                    fit.Estimates[kFitA0],
                    fit.Estimates[kFitC1],
                    fit.Estimates[kFitC0],
                    fit.Estimates[kFitY0]};
  // A fit stands only where the fitted model's own figures exist: every front end shows them.
  try {
    (void)ModelClosedFormOf(fit.Parameters);
  } catch (const std::exception& error) {
    return Rejected(fit, TFitCondition::NotFinite,
                    std::string("the fitted model's figures leave the number range (") + error.what() + ")");
  }
  fit.Condition = TFitCondition::Fitted;
  return fit;
}

TModelFit FitModel(const TSeriesStatistics& statistics, const TFitOptions& options) {
  const double A = options.KeepA ? options.A : statistics.Minimum;
  return FitModelToMoments(statistics.Count, A, statistics.Mean, statistics.Variance,
                           statistics.Autocorrelations[0], options);
}

TModelFit FitModel(std::span<const double> values, const TFitOptions& options) {
  return FitModel(SeriesStatisticsOf(values), options);
}

TModelFit FitModel(std::span<const double> values, std::span<const std::size_t> breaks,
                   const TFitOptions& options) {
  TModelFit fit = FitModel(SeriesStatisticsOf(values, breaks), options);
  fit.Breaks.assign(breaks.begin(), breaks.end());
  return fit;
}

}  // namespace corvane
