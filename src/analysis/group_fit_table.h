// The rows every reader of a grouped fit sees: the command line's TSV, the analysis window's
// results table and its saved CSV, and the R package's data frame take their columns' names and
// cells from here, so they cannot drift apart.
//
//   TGroupFit, TGroupFitOptions --GroupFitCells--> one text a column, in GroupFitHeader's order:
//     the group's values (one column per grouping column, under its own name), n, missing,
//     excluded, each estimate with its low and high, failed replicates, logLik, AIC, BIC,
//     exgauss AIC, exgauss mu, exgauss sigma, exgauss tau, lognormal AIC, contaminants, lag1,
//     lag1 model, lag1 se, gof p, with Quantiles q10, q10 model, q30, ... q90 model, then method,
//     seed, status, message
//
// The comparison columns (logLik to the quantiles) are the group's TLikelihoodFit: the ML fit, or
// under the moments the report at their estimates; NA where it is missing. Numbers are the
// shortest text that reads back as the same double (as R and pandas read them), NA where there is
// none, inf at the boundary k = inf (k, c1, y0 and their upper ends); counts and the seed are
// integers. Texts are as they are: a writer escapes them for its own format.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "analysis/group_fit.h"

namespace corvane {

// The shortest text that reads back as `value`; "NA" for NaN, "inf" and "-inf" for infinities.
std::string FigureText(double value);

// The column names, the grouping columns first under their own names; the quantiles' columns with
// options.Quantiles.
std::vector<std::string> GroupFitHeader(std::span<const std::string> group_columns,
                                        const TGroupFitOptions& options = {});

// One group's cells; `group_columns` cells of its keys (empty where it has fewer), then the rest.
// `options`: those the groups were fitted with (they choose the columns).
std::vector<std::string> GroupFitCells(const TGroupFit& group, std::size_t group_columns,
                                       const TGroupFitOptions& options = {});

// The cells of a file that could not be read at all: status "not read" and the reader's message.
std::vector<std::string> UnreadFileCells(std::size_t group_columns, const std::string& message,
                                         const TGroupFitOptions& options = {});

}  // namespace corvane
