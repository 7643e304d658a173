// Honest standard errors for a dependent series, and the data's distance from the model in them.
//
//   P, n --MeanStandardError--> the sample mean's, from the telescoping identity
//   P, n, simulated --SamplingErrors--> every figure's (TStatisticVector order)
//   data statistics, P, simulated --CompareWithModel--> the table's rows: data, model, SE, z
//
// The reaction times telescope, RT_n = A(1 + a1/a0) + (Y_n - Y_(n-1))/a0, so the mean of N
// reactions errs by (Y_N - Y_0)/(a0 N): with Var Y = (k + 1)(a0/c0)^2 and Corr(Y_0, Y_N) = r^N,
//   SE(mean) = sqrt(2 (k + 1) (1 - r^N)) / (c0 N),
// shrinking like 1/N, not 1/sqrt(N) as the independent-reactions formula SD/sqrt(N) would say.
// The other figures' errors come from the model by simulation: the spread of each over series of
// the simulation's chunk length L, scaled by sqrt(L / n) (the figures are smooth functions of
// means over the series, whose errors shrink like 1/sqrt(n)).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/model_prediction.h"
#include "analysis/series_statistics.h"
#include "simulation/parameter_set.h"

namespace corvane {

double MeanStandardError(const TParameterSet& P, std::size_t n);

// The standard error of each figure for a series of n reactions of the model: the mean's in
// closed form, the rest from `simulated` (NaN without it).
TStatisticVector SamplingErrors(const TParameterSet& P, std::size_t n, const TSimulatedModel* simulated);

// Where a model figure comes from.
enum class TModelSource { ClosedForm, Simulation, Pending };

struct TComparisonRow {
  std::string Name;  // StatisticName, and "n", "minimum" first
  double Data = kNotANumber;
  double Model = kNotANumber;
  double ModelError = kNotANumber;     // Monte Carlo error of a simulated figure; 0 for closed form
  double StandardError = kNotANumber;  // the data figure's under the model, at the data's n
  // (data - model) / sqrt(SE^2 + ModelError^2); NaN where either is unknown.
  double Difference = kNotANumber;
  TModelSource Source = TModelSource::ClosedForm;
};

// Rows "n", "minimum" (model: A), then every TStatistic. The closed form serves what it gives;
// the quantiles and the standard errors other than the mean's come from `simulated`, and are
// Pending while it is null.
std::vector<TComparisonRow> CompareWithModel(const TSeriesStatistics& data, const TParameterSet& P,
                                             const TSimulatedModel* simulated);
// The same rows with the data's figures alone, where there is no model to compare with.
std::vector<TComparisonRow> DataRowsOf(const TSeriesStatistics& data);

}  // namespace corvane
