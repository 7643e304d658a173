// Maximum likelihood of the model's stationary law of reaction times (the reactions' marginal
// law, stationary_law.h), a1 held: the point estimates of A, b, k, c0.
//
//   values, TLikelihoodOptions --FitStationaryLaw--> TLawEstimate: the law, the contaminants'
//        share, logLik, whether A is the minimum with the atom's values, whether k = inf
//   values, law, TLikelihoodData --StationaryLogLikelihood--> logLik on the density scale
//
// The likelihood. A value within delta/2 of A (delta: the data's resolution, data_resolution.h)
// is the atom's and counts atom/delta, atom = e^(-b c0 A); any other value counts the density of
// the continuous part (for finite k interpolated between the cached shapes of a fixed lattice in
// (k, m), shape_lattice.h, the fine one from kFineLatticeFromN values on; exact at k = inf); so logLik is on
// the density scale of continuous fits. With contaminants, each value's figure is (1 - share) times that plus
// share/(max - min), a uniform over the data's range.
//
// The atom needs evidence. Where the atom e^-m is too small to show (m = 14.4: 6e-7), the fastest
// value alone, taken for the atom's, still counts e^-m/delta: on data recorded to the millisecond
// that beat any A below the data by 2-5 in logLik (20 of 20 simulated series of
// (0.3, 1, 0.8333, 20, 40, 0.4375) at n = 200 put A at the minimum, and A, b and c0 then covered
// their truth in none). Every sample has a fastest value, so one value there says nothing of an
// atom: the candidate "atom" below is searched only where the values in the minimum's interval
// [min - delta/2, min + delta/2] are more than the best law without an atom there explains
// (AtomShows at most kAtomEvidenceLevel). Model data with a visible atom tie at A by the dozen
// (p-values far below 1e-10); continuous data recorded to the millisecond tie at their minimum by
// chance, and pass the level at most 1 % of the time (the real-shaped set: in none of 200 series). Without
// that evidence the estimate is the maximum over A below the data alone: a law with A at the minimum (the
// moment fit's) can score higher by its one value counted as the atom's, and is not the fit's.
//
// The search. The shape of the law depends on k and m = b c0 A alone; A and c0 shift and scale it.
// The optimiser (bounded_minimizer.h, BOBYQA then Sbplx) works on x = (ln m, ln c0, v) with
// v = 1/(k + 1) in [0, 1/(1 + kMinimumK)], so v = 0 is the independent limit k = inf, a boundary
// point the search reaches like any other; the contaminants' share, when on, in [0, 1/2].
// A is searched explicitly over (0, min]:
//   candidate "below": A in [min/1000, min - delta/2] a fourth variable, no value at the atom;
//   candidate "atom": A = min, the smallest values the atom's, where the atom shows (above);
// the likelier wins. Held A (KeepA) searches the other three alone. Each candidate starts from
// every start given (the moment fit, model_fit.h, where it fits; the independent limit's moment
// solution, k large; a caller's, as the bootstrap's refits take the fitted law) and keeps its best,
// so the estimate is never less likely than any start. The point estimate's searches take first
// steps a tenth of each range, and each one's end is then polished twice, by a local derivative-free
// search (first steps 0.5 in ln m and ln c0, 0.04 in v) and by the climb below, the likelier kept (on
// afex's stroop cells the climb ended higher in 508 of 1,370, by 0.06 in logLik on average and up to
// 5.2: the derivative-free polish had stopped short). (From wide first steps BOBYQA stopped after some 25
// evaluations near its start: refits kept the fitted law's k within 3 % where their own maximum lay
// 20-50 % away.) The bootstrap's refits (from the fitted law and the replicate's moment-based laws)
// and A's profile climb instead, by Newton steps on the values' scores (score_climb.h), cell by cell
// of the lattice: its faces in v and ln m are the logLik's kinks (bilinear weights), and a maximum on
// a face is held there, not hopped across. A climb that misses its criterion hands its end to the
// local derivative-free search (steps to 1e-3 relative, restarted from its end while that gains
// 0.01). A refit of a law with its atom at the minimum searches the atom's candidate first, and a
// climb below it that ends 20 lower is not searched on (it cannot win). Measured on replicates of
// the real-shaped set at n = 1,000: the derivative-free refits ended more than 0.1 below the
// replicate's own maximum (the point estimate's wide search) in 20 of 40, by 0.42 on average, as
// they stopped on the ridge of A and m; the climbs in none of 30 by 0.01 (mean 0.0000). Every start
// counts: the kinks leave local maxima, and on ten stroop cells (11,720 local searches, the refits'
// and A's profile's) a later start's climb ended more than 0.01 above the first start's in 30 %
// (2,189 from the second, 1,290 from the third). There a climb takes some 13 steps and 1.8
// evaluations a step: 74 % of full steps cross a face, and 43 % of those are cut back. An estimate
// within 0.01 in logLik of the same law with v = 0 is reported at the boundary k = inf (the lattice's
// interpolation moves the logLik by a few thousandths near k = inf). Ranges: m in [1e-4, kMaximumM],
// c0 within 10^6 of the start's, k >= kMinimumK.
// Speed (bench/likelihood_bench.cpp, bench/stroop_fit_bench.cpp, on the shared two-core machine, whose
// times vary by a fifth from run to run): the likelihood is evaluated at the distinct values once each
// (TDistinctValues), the shapes' cubics expanded once and read inline, and a climb's scores come with
// the density in one pass (shape_lattice.h). With its shapes at hand a real-shaped point estimate takes
// 4.7 ms at n = 170 (the ex-Gaussian's ML: 0.75 ms), 16 ms at n = 1,000 (4.6 ms); before the Bessel
// table (bessel_table.h) 7.4 and 22 ms. A session's first fits pay for the lattice's nodes they need,
// a few to some tens of milliseconds each, unless an earlier session stored them (shape_store.h).
// afex's 1,370 stroop cells on one thread: 5.4 s with no store (some 600 nodes solved; 19.3 s before
// the solve ran its starts in vector lanes), 2.7-2.8 s from the store (3.8 s before the table); R's
// ex-Gaussian optim beside it took 1.76-1.97 s (R's own time varies from 1.8 to 2.8 s between runs).
// With intervals (B = 1,000) at n = 1,000 of the real-shaped set: 0.98 s on the two idle cores, 1.9 s
// of CPU (1.28 s and 2.5 s before the table; derivative-free refits: about 7 s).
// All 1,370 afex cells with B = 1,000 on the command line, from the store: 283-291 s (563-580 s of
// CPU; the benchmark BM_StroopCellsWithIntervals 288 s); with an empty store 311 s (some 1,700 nodes
// solved), against 401 s before the independent limit's Bessel
// functions came from the table (they had taken 30 % of the time: the refits of many cells reach
// k = inf, 543 of the 1,370 estimates lie there) and its distribution function found its Poisson
// weights once per law (the Kolmogorov distances: 8 % of the time, now 3 %); earlier 7.6-7.9
// minutes (8.4 with the scores by differences, some 16-20 before the inline cubics). Fifty synthetic
// cells shaped like stroop's (n = 170, k 8-40, m 5-40): 33.5 s (40 s before the table, 54.5 s
// earlier). A degenerate series (26 ties at its minimum and 4 values far above) takes seconds cold,
// nearly all solving small-k shapes its wide searches pass through.
#pragma once

#include <cstddef>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

#include "analysis/series_statistics.h"
#include "analysis/shape_lattice.h"
#include "analysis/stationary_law.h"

namespace corvane {

inline constexpr double kMinimumK = kLatticeMinimumK;
inline constexpr double kMaximumM = 1e3;
// The p-value of the ties at the minimum below which they count as an atom's.
inline constexpr double kAtomEvidenceLevel = 0.01;

struct TLikelihoodOptions {
  double a1 = 1;              // held: the inhibition's scale (b = a1/a0)
  double Resolution = 0;      // delta; 0: DataResolution(values)
  bool Contaminants = false;  // a uniform over the data's range mixed in, its share estimated
  bool KeepA = false;         // hold A at `A` (never above the fastest value by more than delta/2)
  double A = 0;
};

// Series from this many values on take the fine lattice (shape_lattice.h): the standard lattice's
// bump of up to 1.8 in logLik at n = 10,000 is about 0.5 here, a quarter of an interval's 1.92,
// and a tenth at n = 1,000, where the fine lattice moved the defaults' coverage by a point or less
// (200 series) but would cost stroop-sized bootstraps a fifth.
inline constexpr std::size_t kFineLatticeFromN = 3000;

// What the likelihood needs of the data besides the values.
struct TLikelihoodData {
  double Resolution = 0;  // delta > 0
  double Minimum = 0;
  double Maximum = 0;
  TLatticeLevel Lattice = TLatticeLevel::Standard;  // the density's, by the count of values
};

struct TLawEstimate {
  TStationaryLaw Law;
  double ContaminantShare = kNotANumber;  // NaN when contaminants are off
  double LogLik = kNotANumber;
  bool AtomAtMinimum = false;  // A = min (or held) with values at the atom
  bool Boundary = false;       // k = inf
  bool Converged = false;      // the optimiser's criterion met for the winning candidate
};

TLikelihoodData LikelihoodDataOf(std::span<const double> values, double resolution);

// The values once each, ascending, with how often each occurs. A search evaluates the likelihood
// at the distinct values alone: data recorded to the millisecond repeat themselves (at n = 1,000
// of the real-shaped set 409 of 1,000 values are distinct), and ascending values read the
// lattice's tables in order.
struct TDistinctValues {
  std::vector<double> Values;
  std::vector<double> Counts;
};
TDistinctValues DistinctValuesOf(std::span<const double> values);

// logLik of `values` under `law` mixed with a share of contaminants (NaN or 0: none). -inf where
// some value has no probability (below A).
double StationaryLogLikelihood(std::span<const double> values, const TStationaryLaw& law, double share,
                               const TLikelihoodData& data);
double StationaryLogLikelihood(const TDistinctValues& values, const TStationaryLaw& law, double share,
                               const TLikelihoodData& data);

// How well `law` (A below min - delta/2: no atom in the data's range), with its contaminants'
// share, explains the values in the minimum's interval: P(X >= j | X >= 1), X ~ Binomial(n, p), p
// that interval's probability, j its count. 1 for a single value; 0 where p is 0.
double AtomShows(std::span<const double> values, const TStationaryLaw& law, double share,
                 const TLikelihoodData& data);

// values: at least 2 finite values > 0 with variation. `starts`: laws to start from besides the
// moment-based ones (their A is ignored where A is searched). `refit` (the bootstrap's refits,
// from the fitted law): local searches from every start. A stop request throws
// EAnalysisCancelled (work_control.h) from the next evaluation of the likelihood.
TLawEstimate FitStationaryLaw(std::span<const double> values, const TLikelihoodOptions& options,
                              std::span<const TStationaryLaw> starts = {}, bool refit = false,
                              std::stop_token stop = {});

// The profile likelihood of A: the likeliest law with A held at `A` (its logLik the profile's),
// searched locally from `start`. Stops as FitStationaryLaw does.
TLawEstimate ProfileOfA(std::span<const double> values, const TLikelihoodOptions& options, double A,
                        const TLawEstimate& start, std::stop_token stop = {});

}  // namespace corvane
