// The model's side of the comparison: what a parameter set predicts for a series of reactions.
//
//   TParameterSet --ModelClosedFormOf--> TModelClosedForm: mean, variance, SD, lags 1..10,
//                                        P(RT = A) (simulation/reaction_theory.h where it has them)
//                 --SimulateModel--> TSimulatedModel: every figure of TStatisticVector with its
//                                    Monte Carlo error, the density on any bins, and the spread
//                                    of each figure over series of one length (standard_errors.h)
//
// With k = c1/a1, rho = a1 c0/a0, r = e^(-rho A/(k + 1)): mean A(1 + a1/a0), variance
// 2(k + 1)(1 - r)/c0^2, lag-j autocorrelation -(1 - r) r^(j-1)/2, P(RT = A) = e^(-rho A).
// Quantiles and the density have no closed form: SimulateModel runs `Reactions` reactions from the
// stationary state in `Chunks` independent chunks (each its own stationary series, seeded from
// its number), and takes each figure as the mean of the chunks' figures, its Monte Carlo error
// as their SD / sqrt(Chunks) (batch means, honest for the dependent reactions within a chunk).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "analysis/series_statistics.h"
#include "analysis/work_control.h"
#include "simulation/parameter_set.h"

namespace corvane {

struct TModelClosedForm {
  double A = kNotANumber;
  double Mean = kNotANumber;
  double Variance = kNotANumber;
  double StandardDeviation = kNotANumber;
  std::array<double, kMaxLag> Autocorrelations{};  // lag j at index j - 1
  double AtomProbability = kNotANumber;            // P(RT = A) = e^(-rho A)
  double k = kNotANumber;
  double rho = kNotANumber;
  double r = kNotANumber;                      // the carried inhibition's lag-1 autocorrelation
  double CarriedInhibitionMean = kNotANumber;  // (k + 1) a0 / c0
};

// Every parameter greater than 0. EOverflow or EInvalidOp where a figure leaves the double range.
TModelClosedForm ModelClosedFormOf(const TParameterSet& P);

// The figures of TStatisticVector the closed form gives (mean, SD, share at A, lags); NaN for the
// quantiles.
TStatisticVector ClosedFormVector(const TModelClosedForm& model);

struct TEstimate {
  double Value = kNotANumber;
  double Error = kNotANumber;  // Monte Carlo standard error
};

struct TModelSimulationOptions {
  std::size_t Reactions = 1'000'000;
  std::size_t Chunks = 100;        // Reactions / Chunks reactions each
  std::uint64_t Seed = 1;          // chunk i draws from SeedForIndex(Seed, i)
  std::size_t DensityBins = 2000;  // fine bins kept for DensityOn
};

class TSimulatedModel {
 public:
  std::size_t Reactions = 0;
  std::size_t Chunks = 0;
  std::size_t ChunkLength = 0;
  // The mean over chunks of each figure, with its Monte Carlo error.
  std::array<TEstimate, kStatisticCount> Figures{};
  // The SD of each figure over the chunks: its sampling spread for a series of ChunkLength
  // reactions (standard_errors.h scales it to other lengths).
  TStatisticVector SpreadAtChunkLength{};

  // The density of the continuous part (RT > A) averaged over each of `count` bins of `width`
  // from `start`, in the units of THistogram::Densities (per unit of time, over all reactions),
  // with its Monte Carlo error. Bins beyond the simulated range get 0.
  std::vector<TEstimate> DensityOn(double start, double width, std::size_t count) const;
  // The same over the fine bins: (bin centre, density) for drawing the model's curve.
  std::vector<std::pair<double, TEstimate>> DensityCurve() const;

  // Filled by SimulateModel.
  double fine_start_ = 0;
  double fine_width_ = 0;
  std::size_t fine_bins_ = 0;
  std::vector<std::uint32_t> fine_counts_;  // chunk-major: chunk c's bins at c * fine_bins_
};

// Runs on worker threads under `control` (progress, stop: EAnalysisCancelled). The simulator's
// faults (EOverflow for parameters whose reactions leave the double range) propagate. The result
// does not depend on the thread count.
TSimulatedModel SimulateModel(const TParameterSet& P, const TModelSimulationOptions& options = {},
                              const TWorkControl& control = {});

}  // namespace corvane
