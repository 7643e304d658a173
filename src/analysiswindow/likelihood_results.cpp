#include "analysiswindow/likelihood_results.h"

#include <cmath>

#include "runtime/format_float.h"

namespace corvane {
namespace {

std::string Figure(double value) {
  if (std::isinf(value))
    return value > 0 ? "inf" : "-inf";
  if (!std::isfinite(value))
    return "NA";
  return FormatFloatKind(value, TFloatFormatKind::General, 4, 0);
}

std::string Signed(double value) {
  return (value >= 0 ? "+" : "") + FormatFloatKind(value, TFloatFormatKind::Fixed, 15, 2);
}

// An infinite estimate or bound (k, c1, y0 at the boundary) as "inf": a number cell would be empty.
TTableCell Value(double value) {
  return std::isinf(value) ? TTableCell::Label(Figure(value)) : TTableCell::Number(value);
}

std::string StandardParameters(const TStandardFit& fit, bool lognormal) {
  if (!std::isfinite(fit.LogLik))
    return "not fitted";
  if (lognormal)
    return "shift " + Figure(fit.Shift) + ", mu " + Figure(fit.Mu) + ", sigma " + Figure(fit.Sigma);
  return "mu " + Figure(fit.Mu) + ", sigma " + Figure(fit.Sigma) + ", tau " + Figure(fit.Tau);
}

std::vector<TTableCell> ComparisonRow(const std::string& name, int p, double loglik, double aic, double bic,
                                      const std::string& parameters) {
  return {TTableCell::Label(name),    TTableCell::Label(std::to_string(p)), TTableCell::Number(loglik, 2),
          TTableCell::Number(aic, 2), TTableCell::Number(bic, 2),           TTableCell::Label(parameters)};
}

std::string DependenceText(const TLikelihoodFit& fit) {
  switch (fit.Verdict.Kind) {
    case TDependenceKind::Unknown:
      return "Dependence: no verdict (the lag-1's standard error is unknown).";
    case TDependenceKind::Consistent:
      return "Dependence: consistent with the model: the data's lag-1 " + Signed(fit.Lag1) +
             ", the fitted model's " + Signed(fit.Lag1Model) + " +/- " +
             FormatFloatKind(fit.Lag1StandardError, TFloatFormatKind::Fixed, 15, 2) + ".";
    default:
      return "Dependence: " + fit.Verdict.Sentence + ".";
  }
}

}  // namespace

std::string IntervalMethodText(TIntervalMethod method) {
  switch (method) {
    case TIntervalMethod::None:
      return "none";
    case TIntervalMethod::Exact:
      return "exact: the atom";
    case TIntervalMethod::Held:
      return "held";
    case TIntervalMethod::Profile:
      return "profile likelihood";
    case TIntervalMethod::Percentile:
      return "bootstrap percentile";
    case TIntervalMethod::Shifted:
      return "shifted percentile";
    case TIntervalMethod::AlongA:
      return "bootstrap, widened along A's profile";
    case TIntervalMethod::Derived:
      break;
  }
  return "derived";
}

TAnalysisTable LikelihoodResultsOf(const TLikelihoodFit& fit, double a1) {
  TAnalysisTable table;
  table.Header = {"Parameter", "Estimate", "2.5 %", "97.5 %", "Interval"};
  for (int p = 0; p < kFitParameterCount; ++p) {
    const auto i = static_cast<std::size_t>(p);
    const TIntervalMethod method = fit.IntervalMethods[i];
    std::string note;
    // The percentile is the rule; only the others are named.
    if (method == TIntervalMethod::Derived)
      note = p == kFitA0 ? "from b's" : "from k's";
    else if (method == TIntervalMethod::Held)
      note = "held at the A field's value";
    else if (method != TIntervalMethod::Percentile)
      note = IntervalMethodText(method);
    table.Rows.push_back({TTableCell::Label(std::string(FitParameterName(p))), Value(fit.Estimates[i]),
                          Value(fit.Intervals[i].Low), Value(fit.Intervals[i].High),
                          TTableCell::Label(note)});
  }
  table.Rows.push_back({TTableCell::Label("a1"), TTableCell::Number(a1), TTableCell::Label({}),
                        TTableCell::Label({}), TTableCell::Label("held at its field's value")});
  if (std::isfinite(fit.ContaminantShare))
    table.Rows.push_back({TTableCell::Label("contaminants"), TTableCell::Number(fit.ContaminantShare),
                          TTableCell::Label({}), TTableCell::Label({}),
                          TTableCell::Label("share of a uniform over the data's range")});
  return table;
}

TAnalysisTable DistributionComparisonOf(const TLikelihoodFit& fit) {
  TAnalysisTable table;
  table.Header = {"Distribution", "p", "logLik", "AIC", "BIC", "Parameters"};
  table.Rows.push_back(
      ComparisonRow("the model", fit.ParameterCount, fit.LogLik, fit.AIC, fit.BIC, "in the table beside"));
  table.Rows.push_back(ComparisonRow("ex-Gaussian", 3, fit.ExGaussian.LogLik, fit.ExGaussian.AIC,
                                     fit.ExGaussian.BIC, StandardParameters(fit.ExGaussian, false)));
  table.Rows.push_back(ComparisonRow("shifted lognormal", 3, fit.Lognormal.LogLik, fit.Lognormal.AIC,
                                     fit.Lognormal.BIC, StandardParameters(fit.Lognormal, true)));
  return table;
}

std::string LikelihoodSummaryText(const TLikelihoodFit& fit) {
  if (!fit.Fitted())
    return "Cannot fit: " + fit.Message + ".";
  std::string text = "Fitted by maximum likelihood to " + std::to_string(fit.Count) + " reaction times";
  text += fit.Replicates > 0 ? ", 95 % intervals from " + std::to_string(fit.Replicates) +
                                   " bootstrap series (none left out)."
                             : "; no bootstrap, no intervals.";
  if (fit.Boundary)
    text += " " + std::string(kBoundaryNote) + ".";
  text += " " + DependenceText(fit);
  text += std::isfinite(fit.GofP) ? " Goodness of fit: p = " + Figure(fit.GofP) + " (Kolmogorov distance " +
                                        Figure(fit.GofDistance) + ")."
                                  : " Goodness of fit: no p without the bootstrap.";
  for (const std::string& note : fit.Notes)
    if (note != kBoundaryNote && note != fit.Verdict.Sentence)
      text += " Note: " + note + ".";
  return text;
}

TParameterSet AppliedParametersOf(const TLikelihoodFit& fit, double a1) {
  const double k = fit.Boundary || std::isinf(fit.Estimates[kFitK]) ? kAppliedK : fit.Estimates[kFitK];
  TParameterSet P;
  P.A = fit.Estimates[kFitA];
  P.a1 = a1;
  P.a0 = fit.Estimates[kFitA0];
  P.c1 = k * a1;
  P.c0 = fit.Estimates[kFitC0];
  P.y0 = (k + 1) * P.a0 / P.c0;
  return P;
}

std::string BoundaryApplyText(const TLikelihoodFit& fit) {
  const double m = fit.Law.b * fit.Law.c0 * fit.Law.A;
  const double lag1 = std::expm1(-m / (kAppliedK + 1)) / 2;
  std::string text = "k = inf applied as k = 10^4: its lag-1 (" + Figure(lag1) + ") differs from 0 by less";
  if (std::isfinite(fit.Lag1StandardError))
    text += " than the data's standard error (" + Figure(fit.Lag1StandardError) + ") could show";
  else
    text += " than the data could show";
  return text;
}

}  // namespace corvane
