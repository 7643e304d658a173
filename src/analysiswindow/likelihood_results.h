// What the fit panel shows of a fit by maximum likelihood (likelihood_fit.h), as tables and texts:
//
//   TLikelihoodFit --LikelihoodResultsOf--> TAnalysisTable
//     parameter | estimate | 2.5 % | 97.5 % | interval (the rule that made it, where not the
//     bootstrap percentile; "held" for a1), rows A, b, k, c0, a0, c1, y0, a1, then the
//     contaminants' share when estimated
//   TLikelihoodFit --DistributionComparisonOf--> the AIC table: the model, the ex-Gaussian, the
//     shifted lognormal, each with its parameters, logLik, AIC, BIC (the density scale)
//   TLikelihoodFit --LikelihoodSummaryText--> one paragraph: the boundary, the verdict, gof p,
//     the replicates
//   TLikelihoodFit, a1 --AppliedParametersOf--> the six fields' values (k = inf as kAppliedK)
//
// "Copy results" copies the first two tables, one under the other (TableTsv, analysis_table.h).
#pragma once

#include <string>

#include "analysis/likelihood_fit.h"
#include "analysiswindow/analysis_table.h"
#include "simulation/parameter_set.h"

namespace corvane {

// The finite k that stands for k = inf in a parameter set: its lag-1, -(1 - e^(-m/(k + 1)))/2, is
// below 10^-4 m, far less than any series' lag-1 could show.
inline constexpr double kAppliedK = 1e4;

// What the fit panel says before a fit by likelihood.
inline constexpr const char* kLikelihoodIntroText =
    "Fit: estimates A, b = a1/a0, k = c1/a1 and c0 by maximum likelihood on the reaction times' "
    "stationary distribution (a1 held at its field's value), beside the ex-Gaussian and the shifted "
    "lognormal, with 95 % intervals from a parametric bootstrap.";

// "bootstrap percentile", "shifted percentile (the estimate one end)", "profile likelihood",
// "exact (the atom at the minimum)", "held", "from b's and k's intervals", "none".
std::string IntervalMethodText(TIntervalMethod method);

TAnalysisTable LikelihoodResultsOf(const TLikelihoodFit& fit, double a1);
TAnalysisTable DistributionComparisonOf(const TLikelihoodFit& fit);
std::string LikelihoodSummaryText(const TLikelihoodFit& fit);

// A, a1, a0, c1, c0, y0 of the fitted law with a1 held; at the boundary k = kAppliedK.
TParameterSet AppliedParametersOf(const TLikelihoodFit& fit, double a1);

// What Apply to fields says at the boundary: k = 10^4 in place of inf, its lag-1 beside the
// data's standard error.
std::string BoundaryApplyText(const TLikelihoodFit& fit);

}  // namespace corvane
