// Every group of a long file fitted: what the window's results table, the command line's rows and
// an R interface show, one row per group.
//
//   TReactionTimeGroups (reaction_time_groups.h), TGroupFitOptions
//     --FitGroups--> TGroupFit per group, in the groups' order: its key and counts, the estimates
//                    and intervals, the report beside them (TLikelihoodFit), a status and a message
//
//   method ml (the default): FitByLikelihood (likelihood_fit.h), its data lag-1 the group's own
//     over neighbouring trials (the Breaks a read with an order column gives); never "not fitted"
//     for at least kMinimumReactionTimes readable values with variation (k = inf is an estimate)
//   method moments: FitModel (model_fit.h) with its bootstrap (bootstrap.h) for the estimates and
//     intervals, and DescribeLaw at the moment estimates for the report's columns (logLik, the
//     field's standards, lag-1, quantiles), so both methods fill the same columns
//
// The groups are fitted on the work control's threads, one group a piece (one group alone gives
// its fit the threads instead); progress counts finished groups, a stop request throws
// EAnalysisCancelled and nothing is returned. Every group's replicates and simulations are seeded
// from the options' seed and their number alone, so the results do not depend on the thread
// count and a group's figures are those the same series gets fitted alone by FitOneGroup.
// The message joins, with "; ": "13 missing values skipped", then the fit's notes in their order
// (the boundary, the dependence verdict, then any other), or why the group was not read or fitted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/likelihood_fit.h"
#include "analysis/model_fit.h"
#include "analysis/reaction_time_groups.h"
#include "analysis/work_control.h"

namespace corvane {

enum class TGroupFitStatus { Fitted, NotFitted, NotRead };

// "fitted", "not fitted", "not read".
std::string_view GroupFitStatusName(TGroupFitStatus status);

enum class TFitMethod { Likelihood, Moments };

// "ml", "moments".
std::string_view FitMethodName(TFitMethod method);

struct TGroupFitOptions {
  TFitMethod Method = TFitMethod::Likelihood;
  TFitOptions Fit;              // a1 and a held A, under either method
  bool Contaminants = false;    // ml only: a uniform share mixed in and estimated
  TBootstrapOptions Bootstrap;  // replicates (0: no intervals), seed, level; either method
  bool Quantiles = false;       // the rows show the data's and the model's quantiles
};

struct TGroupFit {
  std::vector<std::string> Keys;  // the group's values of the GroupBy columns
  std::size_t Count = 0;          // values fitted
  std::size_t Missing = 0;
  std::size_t Excluded = 0;
  TFitMethod Method = TFitMethod::Likelihood;
  std::uint64_t Seed = 0;
  TFitVector Estimates = NotANumbers();  // A, b, k, c0, a0, c1, y0; NaN where not fitted
  // NaN without replicates (under ml A's may stand without them: held, or exact at the atom).
  std::array<TInterval, kFitParameterCount> Intervals{};
  std::size_t Replicates = 0;
  std::size_t FailedReplicates = 0;  // moments only; ml leaves none out
  TModelFit Moments;                 // the closed-form fit (method moments)
  // ml: the fit; moments: the report at the moment estimates (not fitted where it could not be
  // made, its message among the group's). Empty where the group was not fitted.
  std::optional<TLikelihoodFit> Likelihood;
  TGroupFitStatus Status = TGroupFitStatus::NotRead;
  std::string Message;

  static TFitVector NotANumbers() {
    TFitVector v;
    v.fill(kNotANumber);
    return v;
  }
};

// One group's fit, intervals and report (`control` steers the bootstrap and the simulations).
TGroupFit FitOneGroup(const TReactionTimeGroup& group, const TGroupFitOptions& options,
                      const TWorkControl& control);

std::vector<TGroupFit> FitGroups(const TReactionTimeGroups& groups, const TGroupFitOptions& options,
                                 const TWorkControl& control = {});

}  // namespace corvane
