// Every group of a long file fitted: what the window's results table, the command line's rows and
// an R interface show, one row per group.
//
//   TReactionTimeGroups (reaction_time_groups.h), TFitOptions, TBootstrapOptions
//     --FitGroups--> TGroupFit per group, in the groups' order: its key and counts, the fit
//                    (FitModel, model_fit.h) and its intervals (BootstrapFit, bootstrap.h), a status
//                    and a message
//
// The groups are fitted on the work control's threads, one group a piece (one group alone gives
// its bootstrap the threads instead); progress counts finished groups, a stop request throws
// EAnalysisCancelled and nothing is returned. Each group's replicates are seeded from the options'
// seed and their number alone, so the results do not depend on the thread count and a group's
// figures are those the same series gets fitted alone. The fit and its intervals are one call,
// FitOneGroup, which a better estimator replaces in one place.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysis/reaction_time_groups.h"
#include "analysis/work_control.h"

namespace corvane {

enum class TGroupFitStatus { Fitted, NotFitted, NotRead };

// "fitted", "not fitted", "not read".
std::string_view GroupFitStatusName(TGroupFitStatus status);

struct TGroupFit {
  std::vector<std::string> Keys;  // the group's values of the GroupBy columns
  std::size_t Count = 0;          // values fitted
  std::size_t Missing = 0;
  std::size_t Excluded = 0;
  TModelFit Fit;
  TBootstrapResult Intervals;  // empty where not fitted or without replicates
  TGroupFitStatus Status = TGroupFitStatus::NotRead;
  // "13 missing values skipped" first, then the fit's or the reader's message, joined by "; ".
  std::string Message;
};

// One group's fit and intervals (`control` steers the bootstrap).
TGroupFit FitOneGroup(const TReactionTimeGroup& group, const TFitOptions& fit,
                      const TBootstrapOptions& bootstrap, const TWorkControl& control);

std::vector<TGroupFit> FitGroups(const TReactionTimeGroups& groups, const TFitOptions& fit,
                                 const TBootstrapOptions& bootstrap, const TWorkControl& control = {});

}  // namespace corvane
