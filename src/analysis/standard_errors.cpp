#include "analysis/standard_errors.h"

#include <cmath>

#include "runtime/float_checks.h"

namespace corvane {

double MeanStandardError(const TParameterSet& P, std::size_t n) {
  if (n == 0)
    return kNotANumber;
  const TFloatFaultCheck check;
  const long double k_plus_one = static_cast<long double>(P.c1) / P.a1 + 1.0L;
  const long double exponent = -static_cast<long double>(P.a1) * P.c0 / P.a0 * P.A / k_plus_one;
  // 1 - r^N through expm1, for the digits when rho A N is small.
  const long double one_minus_r_n = -std::expm1(exponent * static_cast<long double>(n));
  const double result =
      StoreDouble(std::sqrt(2.0L * k_plus_one * one_minus_r_n) / (P.c0 * static_cast<long double>(n)));
  check.Check();
  return result;
}

TStatisticVector SamplingErrors(const TParameterSet& P, std::size_t n, const TSimulatedModel* simulated) {
  TStatisticVector errors;
  errors.fill(kNotANumber);
  if (n == 0)
    return errors;
  if (simulated && simulated->ChunkLength > 0) {
    const double scale = std::sqrt(static_cast<double>(simulated->ChunkLength) / static_cast<double>(n));
    for (std::size_t f = 0; f < errors.size(); ++f) errors[f] = simulated->SpreadAtChunkLength[f] * scale;
  }
  errors[kStatisticMean] = MeanStandardError(P, n);
  return errors;
}

namespace {

double Difference(double data, double model, double se, double model_error) {
  const double spread = std::sqrt(se * se + model_error * model_error);
  if (!std::isfinite(data) || !std::isfinite(model) || !(spread > 0))
    return kNotANumber;
  return (data - model) / spread;
}

}  // namespace

std::vector<TComparisonRow> DataRowsOf(const TSeriesStatistics& data) {
  const TStatisticVector data_figures = StatisticVector(data);
  std::vector<TComparisonRow> rows;
  rows.reserve(2 + kStatisticCount);
  rows.push_back({"n", static_cast<double>(data.Count)});
  rows.push_back({"minimum", data.Minimum});
  for (int f = 0; f < kStatisticCount; ++f)
    rows.push_back({std::string(StatisticName(f)), data_figures[static_cast<std::size_t>(f)]});
  return rows;
}

std::vector<TComparisonRow> CompareWithModel(const TSeriesStatistics& data, const TParameterSet& P,
                                             const TSimulatedModel* simulated) {
  const TModelClosedForm closed = ModelClosedFormOf(P);
  const TStatisticVector closed_figures = ClosedFormVector(closed);
  const TStatisticVector data_figures = StatisticVector(data);
  const TStatisticVector errors = SamplingErrors(P, data.Count, simulated);

  std::vector<TComparisonRow> rows;
  rows.reserve(2 + kStatisticCount);
  rows.push_back({"n", static_cast<double>(data.Count), kNotANumber, kNotANumber, kNotANumber, kNotANumber,
                  TModelSource::ClosedForm});
  rows.push_back({"minimum", data.Minimum, P.A, 0.0, kNotANumber, kNotANumber, TModelSource::ClosedForm});
  for (int f = 0; f < kStatisticCount; ++f) {
    const auto i = static_cast<std::size_t>(f);
    TComparisonRow row;
    row.Name = std::string(StatisticName(f));
    row.Data = data_figures[i];
    row.StandardError = errors[i];
    if (!std::isnan(closed_figures[i])) {
      row.Model = closed_figures[i];
      row.ModelError = 0;
      row.Source = TModelSource::ClosedForm;
    } else if (simulated) {
      row.Model = simulated->Figures[i].Value;
      row.ModelError = simulated->Figures[i].Error;
      row.Source = TModelSource::Simulation;
    } else {
      row.Source = TModelSource::Pending;
    }
    row.Difference = Difference(row.Data, row.Model, row.StandardError, row.ModelError);
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace corvane
