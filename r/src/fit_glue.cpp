// corvane_fit's one series: the values checked as the reader checks a file's, the fit, and its
// bootstrap run under RunInterruptible.
//
//   values, their rows, the column's name --CheckValues--> EReactionTimeFormat naming the row,
//        column and value (the reader's wording, a row of the data in place of a line of a file)
//   values --FitModel--> TModelFit --BootstrapFit (worker threads)--> intervals, failed replicates
//   --> list(n, estimates, low, high, failed, status, message): the command line's row from n on
#include <Rcpp.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysis/reaction_time_reader.h"
#include "glue_support.h"
#include "runtime/float_environment.h"

namespace corvane::rglue {
namespace {

// As R prints it: Inf, -Inf, else up to 15 significant digits.
std::string ValueText(double value) {
  if (std::isinf(value))
    return value > 0 ? "Inf" : "-Inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

// R has no text to misread, so what is left of the reader's rules: every value a finite number
// above 0, and enough of them.
void CheckValues(const Rcpp::NumericVector& values, const Rcpp::IntegerVector& rows,
                 const std::string& column) {
  const std::string where = column.empty() ? std::string() : ", column '" + column + "'";
  for (R_xlen_t i = 0; i < values.size(); ++i) {
    const double value = values[i];
    const char* reason = !std::isfinite(value) ? "is not a finite number"
                         : !(value > 0)        ? "is not greater than 0"
                                               : nullptr;
    if (reason != nullptr) {
      const auto row = static_cast<std::size_t>(rows[i]);
      throw EReactionTimeFormat(
          "row " + std::to_string(row) + where + ": '" + ValueText(value) + "' " + reason, row);
    }
  }
  if (static_cast<std::size_t>(values.size()) < kMinimumReactionTimes)
    throw EReactionTimeFormat("only " + std::to_string(values.size()) + " reaction times; at least " +
                              std::to_string(kMinimumReactionTimes) + " are needed");
}

Rcpp::NumericVector Vector(const TFitVector& v) {
  Rcpp::NumericVector out(v.size());
  for (std::size_t i = 0; i < v.size(); ++i)
    out[static_cast<R_xlen_t>(i)] = std::isnan(v[i]) ? NA_REAL : v[i];
  return out;
}

}  // namespace
}  // namespace corvane::rglue

using namespace corvane;
using namespace corvane::rglue;

extern "C" SEXP corvane_parameter_names_() {
  BEGIN_RCPP
  Rcpp::CharacterVector names(kFitParameterCount);
  for (int p = 0; p < kFitParameterCount; ++p) names[p] = std::string(FitParameterName(p));
  return names;
  END_RCPP
}

// options: a1, keep A (0 or 1), A, replicates, seed, threads (0: every core).
extern "C" SEXP corvane_fit_moments_(SEXP values_in, SEXP rows_in, SEXP column_in, SEXP options_in,
                                     SEXP progress) {
  BEGIN_RCPP
  InitFloatingPointEnvironment();
  const Rcpp::NumericVector values(values_in);
  const Rcpp::IntegerVector rows(rows_in);
  const std::string column = Rcpp::as<std::string>(column_in);
  const Rcpp::NumericVector options(options_in);
  return Guarded([&]() -> SEXP {
    CheckValues(values, rows, column);
    TFitOptions fit_options;
    fit_options.a1 = options[0];
    fit_options.KeepA = options[1] != 0;
    fit_options.A = options[2];
    TBootstrapOptions bootstrap;
    bootstrap.Replicates = static_cast<std::size_t>(options[3]);
    bootstrap.Seed = static_cast<std::uint64_t>(options[4]);
    TWorkControl control;
    control.Threads = static_cast<unsigned>(options[5]);

    const std::vector<double> series(values.begin(), values.end());
    const TModelFit fit = FitModel(series, fit_options);
    TBootstrapResult intervals;
    const bool bootstrapped = fit.Fitted() && bootstrap.Replicates > 0;
    if (bootstrapped)
      RunInterruptible(
          control, [&](const TWorkControl& c) { intervals = BootstrapFit(fit, series.size(), bootstrap, c); },
          progress);
    TFitVector low{}, high{};
    for (int p = 0; p < kFitParameterCount; ++p) {
      const auto i = static_cast<std::size_t>(p);
      low[i] = intervals.Intervals[i].Low;
      high[i] = intervals.Intervals[i].High;
    }
    return Rcpp::List::create(
        Rcpp::Named("n") = static_cast<double>(series.size()),
        Rcpp::Named("estimates") = Vector(fit.Estimates), Rcpp::Named("low") = Vector(low),
        Rcpp::Named("high") = Vector(high),
        Rcpp::Named("failed") = bootstrapped ? static_cast<double>(intervals.Failed) : NA_REAL,
        Rcpp::Named("status") = fit.Fitted() ? "fitted" : "not fitted", Rcpp::Named("message") = fit.Message);
  });
  END_RCPP
}
