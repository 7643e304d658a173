#include "analysis/stationary_likelihood.h"

#include <algorithm>
#include <array>
#include <boost/math/special_functions/beta.hpp>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <utility>

#include "analysis/bounded_minimizer.h"
#include "analysis/data_resolution.h"
#include "analysis/model_fit.h"
#include "analysis/score_climb.h"
#include "analysis/work_control.h"

namespace corvane {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kMinimumM = 1e-4;
constexpr double kMaximumShare = 0.5;
// Within the lattice's interpolation error of the logLik (shape_lattice.h), and far below any
// evidence against k = inf (a likelihood ratio of e^0.01).
constexpr double kBoundaryTolerance = 0.01;
// A local search's first steps: 0.5 in ln m and ln c0, 0.04 in v = 1/(k + 1).
constexpr double kLocalLogStep = 0.5;
constexpr double kLocalVStep = 0.04;
// A refit's criterion: steps below 1e-3 relative (a bootstrap's spread is 5-50 %, so this adds
// less than 0.2 % to its variance); the polish of
// the point estimate keeps the optimiser's default (TMinimizeOptions).
constexpr double kLocalRelativeStep = 1e-3;
// A refit's restarts from its own end, while one gains more than this in logLik.
constexpr int kRefitRestarts = 3;
constexpr double kRestartGain = 0.01;
// A climb ending this far below another's logLik is not searched on: it cannot win.
constexpr double kHopeless = 20;
// The climb's differences: in ln m, ln c0, v and the share; in A, relative to its range.
constexpr double kClimbDifference = 1e-6;

// Where each variable sits in the optimiser's vector: ln m, ln c0, v, then A when searched, then
// the contaminants' share when on.
struct TLayout {
  bool free_A = false;
  double A = 0;  // when held
  bool contaminants = false;

  // The law's variables (ln m, ln c0, v, and A when searched), then the share.
  std::size_t LawVariables() const { return free_A ? 4 : 3; }
  std::size_t Size() const { return LawVariables() + (contaminants ? 1 : 0); }
  std::size_t ShareIndex() const { return LawVariables(); }

  TStationaryLaw LawOf(std::span<const double> x) const {
    TStationaryLaw law;
    law.A = free_A ? x[3] : A;
    const double m = std::exp(x[0]);
    law.c0 = std::exp(x[1]);
    law.k = x[2] > 0 ? 1 / x[2] - 1 : kInfinity;
    law.b = m / (law.c0 * law.A);
    return law;
  }
  double ShareOf(std::span<const double> x) const { return contaminants ? x[ShareIndex()] : 0.0; }
};

// In extended precision: the variance of values near the double range's ends stays finite.
struct TDataSummary {
  long double mean = 0, variance = 0;
  double q10 = 0;
};

TDataSummary SummaryOf(std::span<const double> values) {
  TDataSummary s;
  long double sum = 0;
  for (const double v : values) sum += v;
  const long double mean = sum / static_cast<long double>(values.size());
  long double squares = 0;
  for (const double v : values) squares += (v - mean) * (v - mean);
  s.mean = mean;
  s.variance = squares / static_cast<long double>(values.size() - 1);
  std::vector<double> sorted(values.begin(), values.end());
  std::sort(sorted.begin(), sorted.end());
  s.q10 = SortedQuantile(sorted, 0.1);
  return s;
}

// Each distinct value's log figure under `law` with its contaminants' share; false where some
// value has no probability. With `scores` (4 n): also each value's scores in ln m, ln c0, v and A
// (score_climb.h), from the lattice's slopes (shape_lattice.h); a value at the atom moves with
// ln m alone.
bool LogFigures(const TDistinctValues& values, const TStationaryLaw& law, double share,
                const TLikelihoodData& data, std::span<double> out, std::span<double> scores = {}) {
  const std::size_t n = values.Values.size();
  if (scores.empty())
    LatticeDensity(law, values.Values, out, data.Lattice);
  else
    LatticeDensityAndScores(law, values.Values, out, scores, data.Lattice);
  const double half = data.Resolution / 2;
  const double keep = share > 0 ? 1 - share : 1.0;
  const double uniform = share > 0 ? share / (data.Maximum - data.Minimum) : 0.0;
  const double atom_figure = StationaryAtom(law) / data.Resolution;
  const double m = law.b * law.c0 * law.A;  // the atom e^-m's score in ln m is -m
  for (std::size_t i = 0; i < n; ++i) {
    const bool at_atom = std::fabs(values.Values[i] - law.A) <= half;
    const double f = at_atom ? atom_figure : out[i];
    const double figure = keep * f + uniform;
    if (!(figure > 0) || !std::isfinite(figure))
      return false;
    if (!scores.empty()) {
      // The law's share of the figure carries its scores; the contaminants' does not move.
      const double weight = keep * f / figure;
      if (at_atom) {
        for (std::size_t q = 0; q < 4; ++q) scores[q * n + i] = q == 0 ? -m * weight : 0.0;
      } else {
        for (std::size_t q = 0; q < 4; ++q) scores[q * n + i] *= weight;
      }
    }
    out[i] = std::log(figure);
  }
  return true;
}

// How a search starts: wide steps from rough starts, then polished locally (the point estimate);
// local steps and a looser criterion (a bootstrap refit from the fitted law, A's profile).
enum class TReach { Wide, Refit, Polish };

struct TCandidateResult {
  std::vector<double> x;
  double log_lik = -kInfinity;
  bool converged = false;
};

class TLawSearch {
 public:
  TLawSearch(std::span<const double> values, const TLikelihoodOptions& options, std::stop_token stop)
      : distinct_(DistinctValuesOf(values)), options_(options), stop_(std::move(stop)) {
    const double delta = options.Resolution > 0 ? options.Resolution : DataResolution(values);
    data_ = LikelihoodDataOf(values, delta);
    summary_ = SummaryOf(values);
  }

  const TLikelihoodData& Data() const { return data_; }
  const TDataSummary& Summary() const { return summary_; }

  double LogLik(const TLayout& layout, std::span<const double> x) const {
    ThrowIfStopRequested();
    try {
      return StationaryLogLikelihood(distinct_, layout.LawOf(x), layout.ShareOf(x), data_);
    } catch (const std::exception&) {
      return -kInfinity;  // a law the density cannot evaluate counts as impossible
    }
  }

  bool Terms(const TLayout& layout, std::span<const double> x, std::span<double> terms) const {
    ThrowIfStopRequested();
    try {
      return LogFigures(distinct_, layout.LawOf(x), layout.ShareOf(x), data_, terms);
    } catch (const std::exception&) {
      return false;  // as LogLik: impossible
    }
  }

  // The terms and each value's scores in the law's variables (the share's, when on, are left to
  // the climb's differences).
  bool TermsAndScores(const TLayout& layout, std::span<const double> x, std::span<double> terms,
                      std::span<double> scores) const {
    ThrowIfStopRequested();
    const std::size_t n = terms.size();
    thread_local std::vector<double> lattice;
    lattice.resize(4 * n);
    try {
      if (!LogFigures(distinct_, layout.LawOf(x), layout.ShareOf(x), data_, terms, lattice))
        return false;
    } catch (const std::exception&) {
      return false;
    }
    std::copy(lattice.begin(), lattice.begin() + static_cast<std::ptrdiff_t>(layout.LawVariables() * n),
              scores.begin());
    return true;
  }

  // A climb by Newton steps on the values' scores (score_climb.h), the lattice's cells in v and ln m
  // its kinks: the refits, A's profile, and the point estimate's second polish.
  TClimb Climb(const TLayout& layout, const std::vector<double>& start, const std::vector<double>& lower,
               const std::vector<double>& upper, double A_range, double bar,
               const TCandidateResult& known) const {
    TClimbProblem problem;
    problem.Terms = [&](std::span<const double> x, std::span<double> terms) {
      return Terms(layout, x, terms);
    };
    problem.TermsAndScores = [&](std::span<const double> x, std::span<double> terms,
                                 std::span<double> scores) {
      return TermsAndScores(layout, x, terms, scores);
    };
    problem.Exact.assign(layout.Size(), false);
    for (std::size_t j = 0; j < layout.LawVariables(); ++j) problem.Exact[j] = true;
    problem.Counts = distinct_.Counts;
    problem.Bar = bar - kHopeless;
    if (known.converged) {
      problem.Known = known.x;
      problem.KnownLogLik = known.log_lik;
    }
    problem.Lower = lower;
    problem.Upper = upper;
    problem.Differences.assign(layout.Size(), kClimbDifference);
    problem.Kinks.assign(layout.Size(), 0.0);
    const TLatticeSteps steps = LatticeSteps(data_.Lattice);
    problem.Kinks[0] = 1.0 / steps.ln_m;
    problem.Kinks[2] = 1.0 / steps.v;
    problem.Reach.assign(layout.Size(), 0.0);
    problem.Reach[0] = problem.Reach[1] = kLocalLogStep;
    problem.Reach[2] = kLocalVStep;
    if (layout.free_A) {
      problem.Differences[3] = kClimbDifference * A_range;
      problem.Reach[3] = A_range / 10;
    }
    return ClimbLikelihood(problem, start);
  }

  // The start vector for `law` under `layout`: c0 and k kept, m set so that the mean matches.
  std::vector<double> StartOf(const TLayout& layout, const TStationaryLaw& law, double A, bool keep_m) const {
    std::vector<double> x(layout.Size());
    const double c0 =
        std::isfinite(law.c0) && law.c0 > 0 ? law.c0 : static_cast<double>(1 / std::sqrt(summary_.variance));
    double m = keep_m ? law.b * law.c0 * law.A : static_cast<double>(c0 * (summary_.mean - A));
    if (!(m > 0) || !std::isfinite(m))
      m = 1;
    x[0] = std::log(std::clamp(m, kMinimumM, kMaximumM));
    x[1] = std::log(c0);
    x[2] = law.k > 0 ? std::min(1 / (law.k + 1), 1 - 1.0 / kLatticeV) : 1 - 1.0 / kLatticeV;
    if (layout.free_A)
      x[3] = A;
    if (layout.contaminants)
      x[layout.ShareIndex()] = 0.02;
    return x;
  }

  void Bounds(const TLayout& layout, double A_low, double A_high, std::vector<double>& lower,
              std::vector<double>& upper, const std::vector<double>& start) const {
    lower.assign(layout.Size(), 0);
    upper.assign(layout.Size(), 0);
    lower[0] = std::log(kMinimumM);
    upper[0] = std::log(kMaximumM);
    const double log_scale = static_cast<double>(std::log(summary_.variance) / 2);
    lower[1] = std::min(start[1], std::log(1e-6) - log_scale);
    upper[1] = std::max(start[1], std::log(1e6) - log_scale);
    lower[2] = 0;
    upper[2] = 1 - 1.0 / kLatticeV;
    if (layout.free_A) {
      lower[3] = A_low;
      upper[3] = A_high;
    }
    if (layout.contaminants) {
      lower[layout.ShareIndex()] = 0;
      upper[layout.ShareIndex()] = kMaximumShare;
    }
  }

  // `local`: the starts lie near the maximum (a refit from the fitted law, A's profile from the
  // estimate, the polish of a wide search's best): first steps of about a standard error's size
  // instead of a tenth of each range. From steps that wide BOBYQA ended after some 25 evaluations
  // near its start (a refit's k stayed within 3 % of the fitted law's while the refit's maximum
  // lay 20-50 % away, its logLik up to 5 higher); the local search finds that maximum, and does
  // not ask the lattice for shapes far away.
  // `bar`: a logLik another candidate reached; a refit's climb that ends far below it (and below this
  // search's best so far) is not searched on.
  TCandidateResult Search(const TLayout& layout, const std::vector<std::vector<double>>& starts, double A_low,
                          double A_high, TReach reach = TReach::Wide, double bar = -kInfinity) const {
    TCandidateResult best;
    const bool local = reach != TReach::Wide;
    const auto objective = [&](std::span<const double> x) { return -LogLik(layout, x); };
    std::vector<double> lower, upper;
    TMinimizeOptions minimize;
    if (reach == TReach::Refit)
      minimize.RelativeStep = kLocalRelativeStep;
    if (local) {
      minimize.InitialSteps.assign(layout.Size(), 0.0);
      minimize.InitialSteps[0] = kLocalLogStep;
      minimize.InitialSteps[1] = kLocalLogStep;
      minimize.InitialSteps[2] = kLocalVStep;
      if (layout.free_A)
        minimize.InitialSteps[3] = (A_high - A_low) / 100;
      if (layout.contaminants)
        minimize.InitialSteps[layout.ShareIndex()] = 0.01;
    }
    for (const auto& start : starts) {
      Bounds(layout, A_low, A_high, lower, upper, start);
      TCandidateResult result;
      bool climbed = false;
      if (reach == TReach::Refit) {
        const double level = std::max(bar, best.log_lik);
        const TClimb climb = Climb(layout, start, lower, upper, A_high - A_low, level, best);
        result = {climb.Point, climb.LogLik, climb.Converged || climb.Joined};
        climbed = climb.Converged || climb.Joined || climb.LogLik < level - kHopeless;
      }
      if (!climbed) {
        // The derivative-free search, from the climb's end where it stopped short.
        const TMinimum found =
            MinimizeBounded(objective, result.x.empty() ? start : result.x, lower, upper, minimize);
        if (result.x.empty() || -found.Value >= result.log_lik)
          result = {found.Point, -found.Value, found.Converged};
        if (reach == TReach::Refit) {
          // Along the ridge of A and m (A poorly determined) a local search stops early where the
          // logLik still rises: it starts again from its end while that gains.
          for (int round = 0; round < kRefitRestarts; ++round) {
            const TMinimum again = MinimizeBounded(objective, result.x, lower, upper, minimize);
            const double gain = -again.Value - result.log_lik;
            if (gain > 0)
              result = {again.Point, -again.Value, again.Converged};
            if (!(gain > kRestartGain))
              break;
          }
        }
      }
      if (reach == TReach::Wide) {
        // Each wide search's end polished by a local one at the full criterion: the logLik has
        // several maxima (in A, and at the lattice's nodes in k), and the likeliest wide end is
        // not always the one whose polish climbs highest.
        const std::vector<double> wide_end = result.x;
        TCandidateResult polished = Search(layout, {wide_end}, A_low, A_high, TReach::Polish);
        if (polished.log_lik >= result.log_lik)
          result = std::move(polished);
        // And climbed from the same end: on afex's stroop cells the climb ended higher than the
        // derivative-free polish in 520 of 1,370 (by 0.05 on average, up to 5), lower in 59.
        const TClimb climb = Climb(layout, wide_end, lower, upper, A_high - A_low, -kInfinity, {});
        if (climb.Converged && climb.LogLik > result.log_lik)
          result = {climb.Point, climb.LogLik, true};
      }
      if (result.log_lik > best.log_lik || best.x.empty())
        best = std::move(result);
    }
    return best;
  }

 private:
  // Every evaluation asks, so a stop ends a search within one evaluation (a cold one solves a
  // lattice node first: a fraction of a second), not after the whole search.
  void ThrowIfStopRequested() const {
    if (stop_.stop_requested())
      throw EAnalysisCancelled();
  }

  TDistinctValues distinct_;
  TLikelihoodOptions options_;
  std::stop_token stop_;
  TLikelihoodData data_;
  TDataSummary summary_;
};

// The law a search ended at, as the callers see it (the share NaN without contaminants).
TLawEstimate EstimateOf(const TLayout& layout, const TCandidateResult& found) {
  TLawEstimate estimate;
  estimate.Law = layout.LawOf(found.x);
  estimate.ContaminantShare = layout.contaminants ? layout.ShareOf(found.x) : kNotANumber;
  estimate.LogLik = found.log_lik;
  estimate.Boundary = !(found.x[2] > 0);
  estimate.Converged = found.converged;
  return estimate;
}

// Moment-based laws to start from: the closed-form fit where it fits; the independent limit's
// moment solution with k large (mean - A = m/c0, variance = 2 m/c0^2).
std::vector<TStationaryLaw> MomentStarts(std::span<const double> values, const TLikelihoodOptions& options,
                                         const TDataSummary& summary, double minimum) {
  std::vector<TStationaryLaw> starts;
  TFitOptions fit_options;
  fit_options.a1 = options.a1;
  fit_options.KeepA = options.KeepA;
  fit_options.A = options.A;
  const TModelFit moments = FitModel(values, fit_options);
  if (moments.Fitted())
    starts.push_back({moments.Estimates[kFitA], moments.Estimates[kFitB], moments.Estimates[kFitK],
                      moments.Estimates[kFitC0]});
  const double A = options.KeepA ? options.A : minimum;
  const long double excess = std::max(summary.mean - A, 1e-12L * A);
  const long double c0 = 2 * excess / summary.variance;
  const long double m =
      std::clamp(c0 * excess, static_cast<long double>(kMinimumM), static_cast<long double>(kMaximumM));
  starts.push_back({A, static_cast<double>(m / (c0 * A)), 99, static_cast<double>(c0)});
  return starts;
}

}  // namespace

// P(X >= j | X >= 1) with X ~ Binomial(n, p), p the minimum's interval's probability: one value
// there is no evidence (1), since every sample has a fastest value.
double AtomShows(std::span<const double> values, const TStationaryLaw& law, double share,
                 const TLikelihoodData& data) {
  const double half = data.Resolution / 2;
  const auto at_minimum = static_cast<std::size_t>(
      std::count_if(values.begin(), values.end(), [&](double v) { return v - data.Minimum <= half; }));
  if (at_minimum < 2)
    return 1;
  double p = 1;
  try {
    const std::array<double, 2> edges{data.Minimum - half, data.Minimum + half};
    std::array<double, 2> F{};
    LatticeDistribution(law, edges, F);
    p = F[1] - F[0];
  } catch (const std::exception&) {
    return 0;  // a law the distribution function cannot serve explains nothing
  }
  if (share > 0)
    p = (1 - share) * p + share * data.Resolution / (data.Maximum - data.Minimum);
  if (!(p > 0))
    return 0;
  if (p >= 1)
    return 1;
  const auto n = static_cast<double>(values.size());
  const double at_least_one = -std::expm1(n * std::log1p(-p));
  const double at_least_j =
      boost::math::ibeta(static_cast<double>(at_minimum), n - static_cast<double>(at_minimum) + 1, p);
  return at_least_one > 0 ? std::min(1.0, at_least_j / at_least_one) : 0.0;
}

TLikelihoodData LikelihoodDataOf(std::span<const double> values, double resolution) {
  TLikelihoodData data;
  data.Resolution = resolution;
  data.Minimum = *std::min_element(values.begin(), values.end());
  data.Maximum = *std::max_element(values.begin(), values.end());
  data.Lattice = values.size() >= kFineLatticeFromN ? TLatticeLevel::Fine : TLatticeLevel::Standard;
  return data;
}

TDistinctValues DistinctValuesOf(std::span<const double> values) {
  std::vector<double> sorted(values.begin(), values.end());
  std::sort(sorted.begin(), sorted.end());
  TDistinctValues distinct;
  for (const double v : sorted) {
    if (!distinct.Values.empty() && distinct.Values.back() == v) {
      distinct.Counts.back() += 1;
      continue;
    }
    distinct.Values.push_back(v);
    distinct.Counts.push_back(1);
  }
  return distinct;
}

double StationaryLogLikelihood(std::span<const double> values, const TStationaryLaw& law, double share,
                               const TLikelihoodData& data) {
  return StationaryLogLikelihood(DistinctValuesOf(values), law, share, data);
}

double StationaryLogLikelihood(const TDistinctValues& values, const TStationaryLaw& law, double share,
                               const TLikelihoodData& data) {
  thread_local std::vector<double> figures;
  figures.resize(values.Values.size());
  if (!LogFigures(values, law, share, data, figures))
    return -kInfinity;
  long double sum = 0;
  for (std::size_t i = 0; i < figures.size(); ++i) sum += values.Counts[i] * figures[i];
  return static_cast<double>(sum);
}

TLawEstimate FitStationaryLaw(std::span<const double> values, const TLikelihoodOptions& options,
                              std::span<const TStationaryLaw> starts, bool refit, std::stop_token stop) {
  const TLawSearch search(values, options, std::move(stop));
  const TLikelihoodData& data = search.Data();
  // A refit starts from the values' own moment-based laws too: from the fitted law alone its local
  // search stopped short of the series' maximum in about one replicate in six (11 of 60 of the
  // defaults at n = 1,000 ended more than 0.01 below a wide search's), nearer the start, and the
  // bootstrap's spread of c0 was 10 % too small (SD 0.0169 against 0.0188 from wide searches; with
  // these starts 0.0185, and none of the 60 below the wide search's maximum by 0.01).
  std::vector<TStationaryLaw> laws(starts.begin(), starts.end());
  const auto more = MomentStarts(values, options, search.Summary(), data.Minimum);
  laws.insert(laws.end(), more.begin(), more.end());

  const TReach reach = refit && !starts.empty() ? TReach::Refit : TReach::Wide;
  TLayout held;
  held.A = options.KeepA ? options.A : data.Minimum;
  held.contaminants = options.Contaminants;
  TCandidateResult best;
  TLayout winner = held;

  // Candidate "below": A searched under the fastest value.
  const double A_high = data.Minimum - data.Resolution / 2 * (1 + 1e-6);
  const double A_low = data.Minimum / 1000;
  const bool below_possible = !options.KeepA && A_high > A_low;
  TLayout below = held;
  below.free_A = true;
  const auto search_below = [&](double bar) {
    std::vector<std::vector<double>> below_starts;
    // A's profile can have a second maximum just under the fastest value: start near it too.
    const double spread = search.Summary().q10 - data.Minimum;
    const double A_guess = std::clamp(data.Minimum - spread / 2, A_low, A_high);
    const double A_near = std::clamp(data.Minimum - spread / 20, A_low, A_high);
    for (const auto& law : laws) {
      const bool own_A = law.A >= A_low && law.A <= A_high;
      below_starts.push_back(search.StartOf(below, law, own_A ? law.A : A_guess, own_A));
      if (reach == TReach::Wide)
        below_starts.push_back(search.StartOf(below, law, A_near, false));
    }
    return search.Search(below, below_starts, A_low, A_high, reach, bar);
  };
  // Candidate "atom" (or the held A).
  const auto search_held = [&](double bar) {
    std::vector<std::vector<double>> held_starts;
    for (const auto& law : laws) {
      held_starts.push_back(search.StartOf(held, law, held.A, false));
      if (std::fabs(law.A - held.A) <= data.Resolution / 2)
        held_starts.push_back(search.StartOf(held, law, held.A, true));
    }
    return search.Search(held, held_starts, 0, 0, reach, bar);
  };

  // A refit of a law with its atom at the data's minimum searches the atom's candidate first: where
  // the ties at the minimum are many, no law below them comes near it, and the search below then
  // ends early (Search's bar) instead of crawling along a ridge that cannot win.
  // (A law whose atom is too small to show, e^-m n < 1, is not one: real-shaped data's A lies just
  // under their fastest value.)
  const auto atom_at_minimum = [&](const TStationaryLaw& law) {
    return std::fabs(law.A - held.A) <= data.Resolution / 2 &&
           StationaryAtom(law) * static_cast<double>(values.size()) >= 1;
  };
  std::optional<TCandidateResult> held_first;
  if (reach == TReach::Refit && below_possible && std::any_of(starts.begin(), starts.end(), atom_at_minimum))
    held_first = search_held(-kInfinity);
  if (below_possible) {
    best = search_below(held_first ? held_first->log_lik : -kInfinity);
    winner = below;
  }
  // The atom's candidate counts only where the values at the minimum are evidence of an atom.
  if (!below_possible ||
      AtomShows(values, winner.LawOf(best.x), winner.ShareOf(best.x), data) <= kAtomEvidenceLevel) {
    TCandidateResult found = held_first ? std::move(*held_first) : search_held(-kInfinity);
    if (best.x.empty() || found.log_lik > best.log_lik) {
      best = std::move(found);
      winner = held;
    }
  }

  // The boundary: the same law with v = 0 as likely.
  if (best.x[2] > 0) {
    std::vector<double> at_boundary = best.x;
    at_boundary[2] = 0;
    const double log_lik = search.LogLik(winner, at_boundary);
    if (log_lik >= best.log_lik - kBoundaryTolerance) {
      best.x = at_boundary;
      best.log_lik = log_lik;  // the reported law's own
    }
  }

  TLawEstimate estimate = EstimateOf(winner, best);
  estimate.AtomAtMinimum = !winner.free_A && std::any_of(values.begin(), values.end(), [&](double v) {
    return std::fabs(v - estimate.Law.A) <= data.Resolution / 2;
  });
  return estimate;
}

TLawEstimate ProfileOfA(std::span<const double> values, const TLikelihoodOptions& options, double A,
                        const TLawEstimate& start, std::stop_token stop) {
  const TLawSearch search(values, options, std::move(stop));
  TLayout layout;
  layout.A = A;
  layout.contaminants = options.Contaminants;
  std::vector<std::vector<double>> starts = {search.StartOf(layout, start.Law, A, false),
                                             search.StartOf(layout, start.Law, A, true)};
  if (options.Contaminants)
    for (auto& x : starts) x[layout.ShareIndex()] = std::clamp(start.ContaminantShare, 0.0, kMaximumShare);
  return EstimateOf(layout, search.Search(layout, starts, 0, 0, TReach::Refit));
}

}  // namespace corvane
