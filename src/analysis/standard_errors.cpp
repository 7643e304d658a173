#include "analysis/standard_errors.h"

#include <cmath>

namespace corvane {

double MeanStandardError(const TParameterSet& P, std::size_t n) {
  if (n == 0)
    return kNotANumber;
  const TModelClosedForm m = ModelClosedFormOf(P);
  const auto count = static_cast<double>(n);
  return std::sqrt(2 * (m.k + 1) * (1 - std::pow(m.r, count))) / (P.c0 * count);
}

TStatisticVector SamplingErrors(const TParameterSet& P, std::size_t n, const TSimulatedModel* simulated) {
  TStatisticVector errors;
  errors.fill(kNotANumber);
  if (simulated && n > 0) {
    const double scale = std::sqrt(static_cast<double>(simulated->ChunkLength) / static_cast<double>(n));
    for (std::size_t s = 0; s < errors.size(); ++s) errors[s] = simulated->SpreadAtChunkLength[s] * scale;
  }
  errors[kStatisticMean] = MeanStandardError(P, n);
  return errors;
}

std::vector<TComparisonRow> CompareWithModel(const TSeriesStatistics& data, const TParameterSet& P,
                                             const TSimulatedModel* simulated) {
  const TModelClosedForm closed = ModelClosedFormOf(P);
  const TStatisticVector closed_figures = ClosedFormVector(closed);
  const TStatisticVector data_figures = StatisticVector(data);
  const TStatisticVector errors = SamplingErrors(P, data.Count, simulated);
  std::vector<TComparisonRow> rows;
  rows.push_back({"n", static_cast<double>(data.Count), kNotANumber, kNotANumber, kNotANumber, kNotANumber,
                  TModelSource::ClosedForm});
  rows.push_back({"minimum", data.Minimum, P.A, 0, kNotANumber, kNotANumber, TModelSource::ClosedForm});
  for (int s = 0; s < kStatisticCount; ++s) {
    const auto i = static_cast<std::size_t>(s);
    TComparisonRow row;
    row.Name = std::string(StatisticName(s));
    row.Data = data_figures[i];
    if (std::isfinite(closed_figures[i])) {
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
    row.StandardError = errors[i];
    const double spread = std::sqrt(row.StandardError * row.StandardError + row.ModelError * row.ModelError);
    if (spread > 0)
      row.Difference = (row.Data - row.Model) / spread;
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace corvane
