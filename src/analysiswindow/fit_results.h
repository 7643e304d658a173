// What the fit panel shows and "Copy results" copies: each estimate with its 95 % interval, the
// replicates that went into the intervals and those whose refit failed.
//
//   TModelFit (+ TBootstrapResult when done) --FitResultsOf--> TAnalysisTable
//     parameter | estimate | 2.5 % | 97.5 % | note ("held" for a1, "sample minimum" or "kept" for A)
//   then rows "n", "bootstrap replicates", "failed replicates"
//   --TableTsv (analysis_table.h)--> the clipboard
//
// The parameters come in the fit's order A, b, k, c0, a0, c1, y0, then a1 (held at its field's
// value, so it has no interval).
#pragma once

#include <optional>
#include <string>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysiswindow/analysis_table.h"

namespace corvane {

TAnalysisTable FitResultsOf(const TModelFit& fit, const TBootstrapResult* bootstrap);

// One line for the user about a fit that could not be made, or about the intervals: the fit's
// own message (naming the condition and the data's value) when it failed.
std::string FitSummaryText(const TModelFit& fit, const TBootstrapResult* bootstrap, bool bootstrap_running);

}  // namespace corvane
