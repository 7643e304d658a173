#include "analysis/model_prediction.h"

#include <algorithm>
#include <cmath>

#include "analysis/stationary_series.h"
#include "runtime/float_checks.h"
#include "runtime/random_generator.h"
#include "simulation/reaction_theory.h"

namespace corvane {
namespace {

// Mean and SD of one figure over the chunks, skipping NaN (a lag a chunk is too short for).
struct TSpread {
  double mean = kNotANumber;
  double sd = kNotANumber;
  std::size_t count = 0;
};

TSpread SpreadOf(const std::vector<TStatisticVector>& chunks, int figure) {
  long double sum = 0, squares = 0;
  std::size_t n = 0;
  for (const TStatisticVector& v : chunks) {
    const double x = v[static_cast<std::size_t>(figure)];
    if (std::isnan(x))
      continue;
    sum += x;
    squares += static_cast<long double>(x) * x;
    ++n;
  }
  TSpread s;
  s.count = n;
  if (n == 0)
    return s;
  const long double mean = sum / static_cast<long double>(n);
  s.mean = static_cast<double>(mean);
  if (n >= 2)
    s.sd = static_cast<double>(std::sqrt(std::max(
        0.0L, (squares - static_cast<long double>(n) * mean * mean) / static_cast<long double>(n - 1))));
  return s;
}

// The fine bins' range: from A to ten model SDs above the mean, where the density has long gone.
void ChooseFineBins(const TParameterSet& P, const TModelClosedForm& model, std::size_t bins,
                    TSimulatedModel& out) {
  out.fine_bins_ = std::max<std::size_t>(bins, 1);
  out.fine_start_ = P.A;
  const double end = model.Mean + 10.0 * model.StandardDeviation;
  out.fine_width_ = (end - P.A) / static_cast<double>(out.fine_bins_);
  if (!(out.fine_width_ > 0))
    out.fine_width_ = std::max(std::fabs(P.A), 1.0) / static_cast<double>(out.fine_bins_);
}

void CountFine(std::span<const double> values, const TSimulatedModel& model, std::uint32_t* counts) {
  const double limit = model.fine_start_ + std::fabs(model.fine_start_) * kAtomTolerance;
  const double bins = static_cast<double>(model.fine_bins_);
  for (const double v : values) {
    if (v <= limit)
      continue;  // the atom at A
    const double position = std::ceil((v - model.fine_start_) / model.fine_width_) - 1.0;
    if (position < bins)
      ++counts[static_cast<std::size_t>(std::max(position, 0.0))];
  }
}

}  // namespace

TModelClosedForm ModelClosedFormOf(const TParameterSet& P) {
  const TReactionTheory theory = ReactionTheoryOf(P);
  TModelClosedForm m;
  m.A = P.A;
  m.Mean = theory.StationaryMean;
  m.Variance = theory.Variance;
  m.StandardDeviation = theory.StandardDeviation;
  for (int j = 1; j <= kMaxLag; ++j)
    m.Autocorrelations[static_cast<std::size_t>(j - 1)] = ReactionTimeAutocorrelation(P, j);
  const TFloatFaultCheck check;
  m.k = StoreDouble(static_cast<long double>(P.c1) / P.a1);
  m.rho = StoreDouble(static_cast<long double>(P.a1) * P.c0 / P.a0);
  m.AtomProbability = StoreDouble(std::exp(-static_cast<long double>(m.rho) * P.A));
  m.r =
      StoreDouble(std::exp(-static_cast<long double>(m.rho) * P.A / (static_cast<long double>(m.k) + 1.0L)));
  check.Check();
  m.CarriedInhibitionMean = theory.CarriedInhibitionMean;
  return m;
}

TStatisticVector ClosedFormVector(const TModelClosedForm& model) {
  TStatisticVector v;
  v.fill(kNotANumber);
  v[kStatisticMean] = model.Mean;
  v[kStatisticStandardDeviation] = model.StandardDeviation;
  v[kStatisticShareAtMinimum] = model.AtomProbability;
  for (std::size_t j = 0; j < static_cast<std::size_t>(kMaxLag); ++j)
    v[kStatisticAutocorrelation1 + j] = model.Autocorrelations[j];
  return v;
}

std::vector<TEstimate> TSimulatedModel::DensityOn(double start, double width, std::size_t count) const {
  std::vector<TEstimate> out(count);
  if (Chunks == 0 || fine_bins_ == 0)
    return out;
  const double per_chunk = static_cast<double>(ChunkLength);
  std::vector<double> chunk_density(Chunks);
  for (std::size_t b = 0; b < count; ++b) {
    const double low = start + static_cast<double>(b) * width;
    const double high = low + width;
    // Each fine bin contributes the share of it that overlaps [low, high).
    std::fill(chunk_density.begin(), chunk_density.end(), 0.0);
    const double first = std::floor((low - fine_start_) / fine_width_);
    const double last = std::ceil((high - fine_start_) / fine_width_);
    for (double f = std::max(first, 0.0); f < std::min(last, static_cast<double>(fine_bins_)); f += 1.0) {
      const double f_low = fine_start_ + f * fine_width_;
      const double overlap = std::min(high, f_low + fine_width_) - std::max(low, f_low);
      if (overlap <= 0)
        continue;
      const double weight = overlap / fine_width_;
      const auto index = static_cast<std::size_t>(f);
      for (std::size_t c = 0; c < Chunks; ++c)
        chunk_density[c] += weight * fine_counts_[c * fine_bins_ + index];
    }
    long double sum = 0, squares = 0;
    for (double& d : chunk_density) {
      d /= per_chunk * width;
      sum += d;
      squares += static_cast<long double>(d) * d;
    }
    const auto n = static_cast<long double>(Chunks);
    const long double mean = sum / n;
    out[b].Value = static_cast<double>(mean);
    out[b].Error =
        Chunks >= 2
            ? static_cast<double>(std::sqrt(std::max(0.0L, (squares - n * mean * mean) / (n - 1)) / n))
            : kNotANumber;
  }
  return out;
}

std::vector<std::pair<double, TEstimate>> TSimulatedModel::DensityCurve() const {
  const std::vector<TEstimate> densities = DensityOn(fine_start_, fine_width_, fine_bins_);
  std::vector<std::pair<double, TEstimate>> curve(densities.size());
  for (std::size_t b = 0; b < densities.size(); ++b)
    curve[b] = {fine_start_ + (static_cast<double>(b) + 0.5) * fine_width_, densities[b]};
  return curve;
}

TSimulatedModel SimulateModel(const TParameterSet& P, const TModelSimulationOptions& options,
                              const TWorkControl& control) {
  const TModelClosedForm closed = ModelClosedFormOf(P);
  TSimulatedModel out;
  out.Chunks = std::max<std::size_t>(options.Chunks, 1);
  out.ChunkLength = std::max<std::size_t>(options.Reactions / out.Chunks, 1);
  out.Reactions = out.Chunks * out.ChunkLength;
  ChooseFineBins(P, closed, options.DensityBins, out);
  out.fine_counts_.assign(out.Chunks * out.fine_bins_, 0);

  std::vector<TStatisticVector> figures(out.Chunks);
  ParallelFor(out.Chunks, control, [&](std::size_t chunk) {
    thread_local std::vector<double> values;
    values.resize(out.ChunkLength);
    TStationarySeries series(P, SeedForIndex(options.Seed, chunk));
    series.Fill(values);
    CountFine(values, out, &out.fine_counts_[chunk * out.fine_bins_]);
    figures[chunk] = StatisticVector(SeriesStatisticsOf(values));
  });

  const double root = std::sqrt(static_cast<double>(out.Chunks));
  for (int f = 0; f < kStatisticCount; ++f) {
    const TSpread s = SpreadOf(figures, f);
    out.Figures[static_cast<std::size_t>(f)] = {s.mean, s.sd / root};
    out.SpreadAtChunkLength[static_cast<std::size_t>(f)] = s.sd;
  }
  return out;
}

}  // namespace corvane
