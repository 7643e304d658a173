// corvane_fit's work: the data frame's groups made into the reader's groups, and the library's
// grouped fit (FitGroups, the command line's) run over them under RunInterruptible.
//
//   rt values (NA kept), group of each row, trial numbers or NULL, row numbers, the column's name
//     --GroupsOf--> TReactionTimeGroups: per group its values in data order (NA and NaN counted
//                   missing), sorted by trial with its breaks as the reader sorts a file
//                   (SortByTrial); a value that is not a finite number above 0, or a trial that is
//                   not a number, rejects its group with the reader's wording, a row of the data in
//                   place of a line of a file
//     --FitGroups (worker threads)--> GroupFitHeader, GroupFitCells: the command line's columns
//                   from n on, as text; the R side makes them numbers
#include <Rcpp.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/group_fit.h"
#include "analysis/group_fit_table.h"
#include "analysis/reaction_time_groups.h"
#include "glue_support.h"
#include "runtime/float_environment.h"

namespace corvane::rglue {
namespace {

// As R prints it: Inf, -Inf, NA, else up to 15 significant digits.
std::string ValueText(double value) {
  if (std::isnan(value))
    return "NA";
  if (std::isinf(value))
    return value > 0 ? "Inf" : "-Inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

void Reject(TReactionTimeGroup& group, std::size_t row, const std::string& column, double value,
            const char* reason) {
  group.Read = false;
  group.Line = row;
  group.Message = "row " + std::to_string(row) + (column.empty() ? "" : ", column '" + column + "'") + ": '" +
                  ValueText(value) + "' " + reason;
  group.Values = {};
}

TReactionTimeGroups GroupsOf(const Rcpp::NumericVector& values, const Rcpp::IntegerVector& group_of,
                             std::size_t group_count, SEXP trials_in, const Rcpp::IntegerVector& rows,
                             const std::string& column, const std::string& trial_column) {
  const bool ordered = !Rf_isNull(trials_in);
  const Rcpp::NumericVector trials = ordered ? Rcpp::NumericVector(trials_in) : Rcpp::NumericVector();
  TReactionTimeGroups out;
  out.Groups.resize(group_count);
  std::vector<std::vector<double>> orders(ordered ? group_count : 0);
  for (R_xlen_t i = 0; i < values.size(); ++i) {
    const auto g = static_cast<std::size_t>(group_of[i] - 1);
    TReactionTimeGroup& group = out.Groups[g];
    if (!group.Read)
      continue;
    const double value = values[i];
    if (std::isnan(value)) {
      ++group.Missing;
      continue;
    }
    const auto row = static_cast<std::size_t>(rows[i]);
    const char* reason = !std::isfinite(value) ? "is not a finite number"
                         : !(value > 0)        ? "is not greater than 0"
                                               : nullptr;
    if (reason != nullptr) {
      Reject(group, row, column, value, reason);
      continue;
    }
    if (ordered && !std::isfinite(trials[i])) {
      Reject(group, row, trial_column, trials[i], "is not a trial number");
      continue;
    }
    group.Values.push_back(value);
    if (ordered)
      orders[g].push_back(trials[i]);
  }
  if (ordered)
    for (std::size_t g = 0; g < group_count; ++g)
      if (out.Groups[g].Read)
        SortByTrial(out.Groups[g], orders[g]);
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

// data: list(values, group of each row (1..count), count, trials or NULL, rows, column, trial column);
// options: a1, keep A (0 or 1), A, replicates, seed, threads (0: every core), method (0 ml,
// 1 moments), contaminants (0 or 1).
// Returns list(header, cells: one character vector a column, rows of groups) or a failure.
extern "C" SEXP corvane_fit_groups_(SEXP data_in, SEXP options_in, SEXP progress) {
  BEGIN_RCPP
  InitFloatingPointEnvironment();
  const Rcpp::List data(data_in);
  const Rcpp::NumericVector values(data[0]);
  const Rcpp::IntegerVector group_of(data[1]);
  const auto group_count = static_cast<std::size_t>(Rcpp::as<double>(data[2]));
  const Rcpp::IntegerVector rows(data[4]);
  const std::string column = Rcpp::as<std::string>(data[5]);
  const std::string trial_column = Rcpp::as<std::string>(data[6]);
  const Rcpp::NumericVector options(options_in);
  return Guarded([&]() -> SEXP {
    const TReactionTimeGroups groups =
        GroupsOf(values, group_of, group_count, data[3], rows, column, trial_column);
    TGroupFitOptions fit;
    fit.Fit.a1 = options[0];
    fit.Fit.KeepA = options[1] != 0;
    fit.Fit.A = options[2];
    fit.Bootstrap.Replicates = static_cast<std::size_t>(options[3]);
    fit.Bootstrap.Seed = static_cast<std::uint64_t>(options[4]);
    fit.Method = options[6] == 0 ? TFitMethod::Likelihood : TFitMethod::Moments;
    fit.Contaminants = options[7] != 0;
    TWorkControl control;
    control.Threads = static_cast<unsigned>(options[5]);

    std::vector<TGroupFit> fits;
    RunInterruptible(
        control, [&](const TWorkControl& c) { fits = FitGroups(groups, fit, c); }, progress);

    const std::vector<std::string> header = GroupFitHeader({}, fit);
    Rcpp::List cells(header.size());
    std::vector<Rcpp::CharacterVector> columns;
    for (std::size_t c = 0; c < header.size(); ++c) columns.emplace_back(fits.size());
    for (std::size_t g = 0; g < fits.size(); ++g) {
      const std::vector<std::string> row = GroupFitCells(fits[g], 0, fit);
      for (std::size_t c = 0; c < header.size(); ++c) columns[c][static_cast<R_xlen_t>(g)] = row[c];
    }
    for (std::size_t c = 0; c < header.size(); ++c) cells[static_cast<R_xlen_t>(c)] = columns[c];
    Rcpp::NumericVector lines(fits.size());
    for (std::size_t g = 0; g < fits.size(); ++g)
      lines[static_cast<R_xlen_t>(g)] = static_cast<double>(groups.Groups[g].Line);
    return Rcpp::List::create(Rcpp::Named("header") = Rcpp::wrap(header), Rcpp::Named("cells") = cells,
                              Rcpp::Named("lines") = lines);
  });
  END_RCPP
}
