#include "analysis/model_prediction.h"

#include <algorithm>
#include <cmath>

#include "analysis/stationary_series.h"
#include "runtime/float_checks.h"
#include "simulation/reaction_theory.h"

namespace corvane {
namespace {

// The fine bins cover A to the mean plus 12 standard deviations: beyond it lies a share of the
// reactions too small to draw.
constexpr double kFineSpan = 12;

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
  const long double k = static_cast<long double>(P.c1) / P.a1;
  const long double rho = static_cast<long double>(P.a1) * P.c0 / P.a0;
  m.k = StoreDouble(k);
  m.rho = StoreDouble(rho);
  m.r = static_cast<double>(std::exp(-rho * P.A / (k + 1)));
  m.AtomProbability = static_cast<double>(std::exp(-rho * P.A));
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
    v[static_cast<std::size_t>(kStatisticAutocorrelation1) + j] = model.Autocorrelations[j];
  return v;
}

std::vector<TEstimate> TSimulatedModel::DensityOn(double start, double width, std::size_t count) const {
  std::vector<TEstimate> densities(count);
  if (fine_bins_ == 0 || Chunks == 0)
    return densities;
  for (std::size_t bin = 0; bin < count; ++bin) {
    const double low = start + static_cast<double>(bin) * width;
    const double high = low + width;
    std::vector<double> per_chunk(Chunks, 0.0);
    for (std::size_t f = 0; f < fine_bins_; ++f) {
      const double centre = fine_start_ + (static_cast<double>(f) + 0.5) * fine_width_;
      if (centre <= low || centre > high)
        continue;
      for (std::size_t c = 0; c < Chunks; ++c) per_chunk[c] += fine_counts_[c * fine_bins_ + f];
    }
    double mean = 0;
    for (double& v : per_chunk) {
      v /= static_cast<double>(ChunkLength) * width;
      mean += v;
    }
    mean /= static_cast<double>(Chunks);
    double squares = 0;
    for (double v : per_chunk) squares += (v - mean) * (v - mean);
    const double sd = Chunks > 1 ? std::sqrt(squares / static_cast<double>(Chunks - 1)) : 0;
    densities[bin] = {mean, sd / std::sqrt(static_cast<double>(Chunks))};
  }
  return densities;
}

std::vector<std::pair<double, TEstimate>> TSimulatedModel::DensityCurve() const {
  std::vector<std::pair<double, TEstimate>> curve;
  if (fine_bins_ == 0 || Chunks == 0)
    return curve;
  curve.reserve(fine_bins_);
  const double scale = 1 / (static_cast<double>(ChunkLength) * fine_width_);
  for (std::size_t f = 0; f < fine_bins_; ++f) {
    double mean = 0;
    double squares = 0;
    for (std::size_t c = 0; c < Chunks; ++c) {
      const double v = fine_counts_[c * fine_bins_ + f] * scale;
      mean += v;
      squares += v * v;
    }
    const auto chunks = static_cast<double>(Chunks);
    mean /= chunks;
    const double variance = Chunks > 1 ? std::max(0.0, (squares - chunks * mean * mean) / (chunks - 1)) : 0;
    curve.push_back(
        {fine_start_ + (static_cast<double>(f) + 0.5) * fine_width_, {mean, std::sqrt(variance / chunks)}});
  }
  return curve;
}

TSimulatedModel SimulateModel(const TParameterSet& P, const TModelSimulationOptions& options,
                              const TWorkControl& control) {
  const TModelClosedForm closed = ModelClosedFormOf(P);
  TSimulatedModel model;
  model.Chunks = std::max<std::size_t>(2, options.Chunks);
  model.ChunkLength = std::max<std::size_t>(2, options.Reactions / model.Chunks);
  model.Reactions = model.Chunks * model.ChunkLength;
  model.fine_bins_ = std::max<std::size_t>(1, options.DensityBins);
  model.fine_start_ = P.A;
  model.fine_width_ = std::max(closed.Mean - P.A + kFineSpan * closed.StandardDeviation, P.A * 1e-6) /
                      static_cast<double>(model.fine_bins_);
  model.fine_counts_.assign(model.Chunks * model.fine_bins_, 0);
  std::vector<TStatisticVector> figures(model.Chunks);
  const double atom_limit = P.A + std::abs(P.A) * kAtomTolerance;

  ParallelFor(model.Chunks, control, [&](std::size_t chunk) {
    TStationarySeries series(P, SeedForIndex(options.Seed, chunk));
    std::vector<double> times(model.ChunkLength);
    for (std::size_t i = 0; i < times.size(); ++i) {
      if (i % 4096 == 0)
        ThrowIfStopped(control);
      times[i] = series.Next();
    }
    std::uint32_t* counts = &model.fine_counts_[chunk * model.fine_bins_];
    for (double time : times) {
      if (time <= atom_limit)
        continue;
      const double position = (time - model.fine_start_) / model.fine_width_;
      if (position < static_cast<double>(model.fine_bins_))
        ++counts[static_cast<std::size_t>(position)];
    }
    TSeriesStatistics statistics = SeriesStatisticsOf(times);
    // The share at the minimum is the share at A for the model's own reactions.
    statistics.ShareAtMinimum = static_cast<double>(std::count_if(
                                    times.begin(), times.end(), [&](double t) { return t <= atom_limit; })) /
                                static_cast<double>(times.size());
    figures[chunk] = StatisticVector(statistics);
  });

  const auto chunks = static_cast<double>(model.Chunks);
  for (std::size_t s = 0; s < static_cast<std::size_t>(kStatisticCount); ++s) {
    double mean = 0;
    for (const TStatisticVector& f : figures) mean += f[s];
    mean /= chunks;
    double squares = 0;
    for (const TStatisticVector& f : figures) squares += (f[s] - mean) * (f[s] - mean);
    const double sd = std::sqrt(squares / (chunks - 1));
    model.Figures[s] = {mean, sd / std::sqrt(chunks)};
    model.SpreadAtChunkLength[s] = sd;
  }
  return model;
}

}  // namespace corvane
