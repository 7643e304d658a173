#include "analysis/dependence_verdict.h"

#include <cmath>
#include <cstdio>

namespace corvane {
namespace {

constexpr double kCritical = 1.959963984540054;  // the normal's 97.5 % point

std::string Signed(double value) {
  char text[32];
  // -0.001 prints as -0.00: a zero at two decimals is shown unsigned as +0.00.
  const double shown = std::round(value * 100) / 100;
  std::snprintf(text, sizeof text, "%+.2f", shown == 0 ? 0.0 : shown);
  return text;
}

std::string Unsigned(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

TDependenceVerdict DependenceVerdict(double data_lag1, double model_lag1, double standard_error) {
  TDependenceVerdict verdict;
  if (!std::isfinite(data_lag1) || !std::isfinite(model_lag1) || !(standard_error > 0) ||
      !std::isfinite(standard_error))
    return verdict;
  const double z = (data_lag1 - model_lag1) / standard_error;
  const std::string data =
      "the data's lag-1 (" + Signed(data_lag1) + " +/- " + Unsigned(standard_error) + ")";
  if (std::fabs(z) <= kCritical) {
    verdict.Kind = TDependenceKind::Consistent;
    verdict.Sentence = "consistent with the model";
  } else if (z > 0 && data_lag1 > 0) {
    verdict.Kind = TDependenceKind::AboveAnyModel;
    verdict.Sentence =
        data +
        " is above anything the model can produce (< 0): sequential dependence the model does not describe";
  } else if (z > 0) {
    verdict.Kind = TDependenceKind::AboveFittedModel;
    verdict.Sentence = data + " is above the fitted model's (" + Signed(model_lag1) + ")";
  } else {
    verdict.Kind = TDependenceKind::BelowFittedModel;
    verdict.Sentence = data + " is below the fitted model's (" + Signed(model_lag1) + ")";
  }
  return verdict;
}

}  // namespace corvane
