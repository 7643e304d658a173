// The model fitted to reaction times by maximum likelihood, with everything a report of it shows:
// intervals, the field's standard distributions beside it, goodness of fit, and the verdict on
// its dependence.
//
//   values, TLikelihoodFitOptions --FitByLikelihood--> TLikelihoodFit
//     1. FitStationaryLaw (stationary_likelihood.h): A, b, k, c0 by ML on the stationary law,
//        a1 held; a0 = a1/b, c1 = k a1, y0 = (k + 1) a0/c0 (c1 and y0 inf at k = inf)
//     2. FitExGaussian, FitShiftedLognormal (standard_distribution_fits.h): logLik, AIC, BIC on the
//        same density scale (the model's p = 4, 3 with A held, + 1 with contaminants)
//     3. BootstrapLikelihood (likelihood_bootstrap.h): B replicates with the model's dependence,
//        refitted by ML, none left out
//     4. intervals, 95 %, chosen per parameter:
//          A   zero width at the minimum where the data hold the atom (A exact) or A is held;
//              else profile likelihood over (0, min] (the bootstrap of a minimum is one-sided)
//          b, k, c0, y0   bootstrap percentile; where that excludes the estimate, the level's
//              share of replicates next to the estimate, which is one end (likelihood_bootstrap.h:
//              a bias-corrected percentile interval would exclude it too); where A was profiled,
//              widened to every value the likeliest law takes along A's interval (AlongA): with
//              A weakly determined the law slides along a ridge (b = m/(c0 A) grows as A falls),
//              which refits from the fitted law do not travel (the real-shaped set at n = 1,000:
//              b's percentile interval covered its truth in 5 of 20 series; widened, 93 of 100)
//          a0, c1   from b's and k's intervals (a1/b and k a1 are monotone)
//        so every interval contains its estimate (TIntervalMethod says which rule made it)
//     5. goodness of fit: data and model quantiles at 0.1, 0.3, 0.5, 0.7, 0.9; a Kolmogorov
//        distance (law_goodness_of_fit.h) with its parametric-bootstrap p-value
//        (1 + #{replicate distance >= data's})/(B + 1), each replicate against its own refit
//        (NaN without replicates); at 5 % it rejected 25 of 400 model series of the defaults
//        (6.2 %; 21 before the starts on the lattice) and 84 of 100 ex-Gaussian series of the same
//        mean and SD (n = 1,000, B = 200)
//     6. dependence: the data's lag-1 (the caller's, over neighbouring trials, or the values')
//        against the model's -(1 - r)/2, r = e^(-m/(k + 1)), in the SD of the replicates' lag-1
//        (a 200-series simulation when B = 0): dependence_verdict.h
//   Notes, in this order: the boundary ("k = inf: independent reactions"), the verdict's sentence,
//   then any of: the optimiser's criterion not met, replicates redrawn.
//
// Never a refusal for at least kMinimumReactionTimes finite values > 0 with variation: the
// conditions are only too few values, values that are not finite and > 0, no variation, an A held
// above the fastest value, and data whose estimates cannot be doubles (values hundreds of orders of
// magnitude apart).
// Accuracy, by simulation from the model (tests/analysis/likelihood_fit_test.cpp; the recovery and
// coverage study and n = 10^5 in likelihood_recovery_slow.cpp, label slow): one series of the set
// (1, .5, 2, .25, 1, 1), n = 10^4, gave b within 0.3 %, c0 within 6 %, k within 9 %, A exact; one
// of (3, .6, 1.5, .9, .7, 6), n = 10^3, b within 2 %, c0 within 8 %, k within 13 %; of that set at
// n = 10^5 b within 0.04 %, c0 within 0.14 %, k within 5.2 %, A exact, and over 14 such series k's
// estimates spread by 4 % (SD; mean 1.48, the truth 1.5): at its m = 0.84 the law hardly tells k.
// The density between lattice shapes errs by about 1e-3 relative in the bulk, up to 2 % near
// s = 0 (shape_lattice.h), which bounds how closely the estimates can follow the exact
// likelihood's.
// Coverage (likelihood_recovery_slow.cpp, B = 200, 95 % intervals; no series unfitted, no interval
// excluding its estimate, no replicate left out in any run; refits that climb, stationary_likelihood.h;
// the intervals' ends the (B + 1) p-th replicates, likelihood_bootstrap.h; the shapes of k < 2 with
// their starts on the lattice's levels, stationary_shape_solver.h):
//   n = 1,000, 200 series:
//     the real-shaped set (0.3, 1, 0.8333, 20, 40, 0.4375) to the millisecond, A at the minimum in
//     none: A 94 %, b 94 %, k 94.5 %, c0 93.5 %, y0 95.5 % (median widths A 0.34, b 1,740, c0 73; b's
//     reaches thousands where A's interval reaches toward 0: the data cannot tell A);
//     the defaults (5, 1, 1, .5, .5, 5), A exact in every series: b 92 %, k 95.5 %, c0 90.5 %, y0
//     95.5 % (widths b 0.026, k 0.42, c0 0.085); (3, .6, 1.5, .9, .7, 6): b 97.5 %, k 97 %, c0 94.5 %,
//     y0 96.5 %; (1, .5, 2, .25, 1, 1): b 97 %, k 94.5 %, c0 96.5 %, y0 94.5 %.
//   n = 200, 200 series: real-shaped A 97 %, b 97 %, k 99 %, c0 98.5 %, y0 96.5 %; defaults b 96 %,
//     k 93 %, c0 95 %; second b 97.5 %, k 98 %, c0 97 %; third b 99 %, k 98.5 %, c0 95.5 %.
//   n = 10,000, 100 series, the fine lattice (shape_lattice.h): defaults b 94 %, k 93 %, c0 95 %,
//     y0 97 % (widths b 0.0083, k 0.116, c0 0.027); second b 95 %, k 95 %, c0 97 %, y0 94 %; third
//     b 96 %, k 95 %, c0 98 %, y0 94 %; real-shaped (k = 20: its shapes as before) A 93 %, b 94 %,
//     k 95 %, c0 94 %, y0 97 %.
//   Before the starts on the lattice, whose absence left the density of k < 2 below its mode with
//   noise of 1-5 % (0.5 % at k = 0.5 near the bulk's left edge, where a finer solve step did not
//   converge evenly): n = 1,000 defaults b 92 %, k 94 %, c0 89.5 % (over 400 series 92.5, 96,
//   92.5 %), second 98, 97, 94.5 %, third 97.5, 94, 94.5 %; n = 10,000 defaults 94, 90, 95 %,
//   second 93, 95, 97 %, third 98, 97, 98 %. With the sample quantile's ends, one replicate further
//   in at B = 200, older still: n = 1,000 defaults 91.5, 92.5, 89 %; n = 10,000 defaults 92, 89, 94 %.
//   With the standard lattice the n = 10,000 series gave: real-shaped 92, 93, 94, 93, 96 %; defaults
//     83, 83, 85, 92 % (widths 0.0085, 0.122, 0.029); second 91, 94, 98 %; third 96, 93, 98 %. The
//     defaults' shortfall was the density's own error, which at n = 10,000 is as large as the
//     likelihood's resolution (an interval spans a fall of 1.92): on one such series the standard
//     lattice's logLik, profiled over ln m at the estimate's v, exceeds that of shapes solved at each
//     point by 0.4 at a node and 1.6-1.8 half a cell away, a bump in every cell that gathered the
//     estimates (6 of 20 series' ln m within 0.015 of a cell of one point, the truth 0.15 away), so
//     that the estimator's spread exceeded the bootstrap's by a fifth though the estimates were
//     unbiased and the refits matched wide searches. n < kFineLatticeFromN keeps the standard
//     lattice (at n = 1,000 the fine one moved b, k, c0 from 91.5, 92.5, 89 % to 91.5, 93, 90 %).
// Before A needed ties at the minimum and b followed A's ridge, the real-shaped set covered A, b
// and c0 in none of 20 series (n = 200) and b in 5 of 20 (n = 1,000). The shifted rule
// (TIntervalMethod::Shifted) occurred in none of these runs. Speed: stationary_likelihood.h. Runs the
// bootstrap on worker threads under `control` (progress, stop: EAnalysisCancelled). A stop ends
// the point estimate's search and each refit within one evaluation of the likelihood, so a Cancel
// is prompt even where a fit solves lattice nodes for a minute (a series of 29 ties and one value
// below them, first fitted: 60 s, 268 nodes).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/dependence_verdict.h"
#include "analysis/law_goodness_of_fit.h"
#include "analysis/likelihood_bootstrap.h"
#include "analysis/standard_distribution_fits.h"
#include "analysis/stationary_likelihood.h"

namespace corvane {

enum class TLikelihoodStatus {
  Fitted,
  TooFewValues,    // fewer than kMinimumReactionTimes
  NotPositive,     // a value not finite or not above 0
  NoVariation,     // every value the same
  AHeldAboveData,  // A held outside (0, min + delta/2]
  OutOfRange       // data spanning so many orders of magnitude that b or c0 leave the double range
};

struct TLikelihoodFitOptions {
  TLikelihoodOptions Likelihood;  // a1, resolution, contaminants, held A
  std::size_t Replicates = 1000;  // B; 0: no intervals, gof p NaN
  std::uint64_t Seed = 0;         // replicate i draws from SeedForIndex(Seed, i)
  double Level = 0.95;
  double DataLag1 = kNotANumber;  // the data's lag-1 over neighbouring trials; NaN: the values'
};

struct TLikelihoodFit {
  TLikelihoodStatus Status = TLikelihoodStatus::TooFewValues;
  std::string Message;             // the notes joined with "; " (or why not fitted)
  std::vector<std::string> Notes;  // in the order above
  std::size_t Count = 0;
  double Resolution = kNotANumber;  // delta used

  TStationaryLaw Law;
  TFitVector Estimates{};  // A, b, k, c0, a0, c1, y0 (k, c1, y0 inf at the boundary)
  std::array<TInterval, kFitParameterCount> Intervals{};
  std::array<TIntervalMethod, kFitParameterCount> IntervalMethods{};
  bool Boundary = false;       // k = inf: independent reactions
  bool AtomAtMinimum = false;  // A = the minimum, the data hold the atom
  bool Converged = false;      // the optimiser's criterion met
  std::size_t Replicates = 0;
  std::size_t FailedReplicates = 0;       // always 0: none is left out
  std::size_t RedrawnReplicates = 0;      // simulations drawn again (likelihood_bootstrap.h)
  double ContaminantShare = kNotANumber;  // NaN when off

  int ParameterCount = 0;
  double LogLik = kNotANumber, AIC = kNotANumber, BIC = kNotANumber;
  TStandardFit ExGaussian;  // Mu, Sigma, Tau, AIC...
  TStandardFit Lognormal;   // Shift, Mu, Sigma, AIC...

  double Lag1 = kNotANumber, Lag1Model = kNotANumber, Lag1StandardError = kNotANumber;
  TDependenceVerdict Verdict;

  double GofDistance = kNotANumber;  // Kolmogorov
  double GofP = kNotANumber;
  std::array<double, kGoodnessLevels.size()> QuantilesData{};  // type 7
  std::array<double, kGoodnessLevels.size()> QuantilesModel{};

  bool Fitted() const noexcept { return Status == TLikelihoodStatus::Fitted; }
};

TLikelihoodFit FitByLikelihood(std::span<const double> values, const TLikelihoodFitOptions& options = {},
                               const TWorkControl& control = {});

// The same report at a law fitted otherwise (the moment fit's, model_fit.h, for the comparison
// columns): logLik, AIC, BIC (p as for ML), the standards, quantiles, the distance, lag-1 and the
// verdict at `law`; no search, no contaminants, no intervals, gof p NaN; the lag-1 SE from 200
// simulated series. The same conditions as FitByLikelihood (OutOfRange where logLik is -inf: a
// value below the law's A).
TLikelihoodFit DescribeLaw(std::span<const double> values, const TStationaryLaw& law,
                           const TLikelihoodFitOptions& options = {}, const TWorkControl& control = {});

// "k = inf: independent reactions".
inline constexpr const char* kBoundaryNote = "k = inf: independent reactions";

}  // namespace corvane
