// The parametric bootstrap of the likelihood fit: series simulated from the fitted law with its
// dependence, each refitted by maximum likelihood, and the intervals taken from them.
//
//   TLawEstimate, n --BootstrapLikelihood--> B replicates: estimates, lag-1, Kolmogorov distance
//   replicate values, estimate --BootstrapInterval--> percentile or bias-corrected interval
//
// A replicate simulates n reactions of the fitted model from its stationary state: for finite k
// the program's own simulator (stationary_series.h), so the series carries the model's
// dependence; at k = inf the independent limit directly (A + the sum of a Poisson(m) number of
// Exp(c0) times). With contaminants each reaction is, with the fitted share, a uniform draw over
// the data's range instead. The values are rounded to the data's resolution delta, as the data
// were recorded, and refitted with that delta (stationary_likelihood.h), starting from the fitted
// law (the truth of the replicate's world; the moment starts would triple the cost). Replicate i draws from
// SeedForIndex(seed, i) alone: results do not depend on the thread count. No replicate is left out. The
// estimator always returns estimates; only the simulation can fail (a reaction leaving the double range:
// EMathError). Such a replicate is drawn again from SeedForIndex(its seed, attempt), up to 8 times, and then
// from the independent limit with the same A, b, c0 (which cannot overflow where the model's mean is finite);
// each is counted in Redrawn, and kept. The lag-1 autocorrelation of each simulated series gives the model's
// standard error of the data's lag-1 at this n (dependence_verdict.h); each refit's Kolmogorov distance to
// its own refitted law gives the goodness-of-fit test's null distribution (law_goodness_of_fit.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/stationary_likelihood.h"
#include "analysis/work_control.h"
#include "runtime/random_generator.h"

namespace corvane {

// How an interval was made.
enum class TIntervalMethod {
  None,        // no interval (no replicates)
  Exact,       // A where the data hold the atom: zero width
  Held,        // A held by the caller
  Profile,     // profile likelihood: 2 (logLik - profile) <= the chi-square(1) 95 % point
  Percentile,  // the replicates' percentiles
  Shifted,     // the percentile interval excluded the estimate: the level's share of replicates
               // next to it, the estimate one end (see BootstrapInterval)
  Derived,     // a0 and c1 from b's and k's intervals (monotone maps)
  AlongA       // the bootstrap's interval widened to the values the likelihood's maximum takes along
               // A's profile interval (likelihood_fit.h)
};

struct TLikelihoodReplicate {
  TFitVector Estimates{};  // A, b, k, c0, a0, c1, y0 of the refit
  double Lag1 = kNotANumber;
  double Distance = kNotANumber;
  bool Redrawn = false;
};

// A, b, k, c0, a0 = a1/b, c1 = k a1, y0 = (k + 1) a0/c0 (k, c1, y0 infinite at k = inf).
TFitVector FitVectorOf(const TStationaryLaw& law, double a1);

// The lag-1 autocorrelation (R's acf); NaN for fewer than 2 values or none varying.
double Lag1Of(std::span<const double> values);

// n reactions of `law` (a1 held) mixed with `share` contaminants over the data's range, rounded
// to data.Resolution. The simulator's EMathError propagates.
void SimulateLaw(const TStationaryLaw& law, double a1, double share, const TLikelihoodData& data,
                 std::uint32_t seed, std::span<double> out);

// options.Resolution must be set (the data's delta). Runs on worker threads under `control`.
std::vector<TLikelihoodReplicate> BootstrapLikelihood(const TLawEstimate& fit, std::size_t n,
                                                      const TLikelihoodOptions& options,
                                                      const TLikelihoodData& data, std::size_t replicates,
                                                      std::uint64_t seed, const TWorkControl& control);

// The interval of level `level` from the replicates' values of one parameter (infinities allowed):
// percentile where it contains the estimate, Q(p) the (B + 1) p-th of the B sorted replicates
// (interpolated; the sample quantile's (B - 1) p + 1-th narrowed a 95 % interval to 94 % at
// B = 200); else, the estimate beyond the upper tail with a share p0 of replicates below it,
// [Q(p0 - level), estimate] (and mirrored below the lower tail).
// A bias-corrected percentile interval cannot serve there: its levels Phi(2 z0 -+ z) lie beyond
// p0 = Phi(z0) exactly when |z0| > z, that is exactly when the percentile interval excludes the
// estimate.
TInterval BootstrapInterval(std::vector<double> values, double estimate, double level,
                            TIntervalMethod& method);

}  // namespace corvane
