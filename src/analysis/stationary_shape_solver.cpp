#include "analysis/stationary_shape_solver.h"

#include <algorithm>
#include <boost/math/quadrature/gauss.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <exception>
#include <memory>
#include <thread>

namespace corvane {
namespace {

// The start's ends: Gamma(k + 1, 1) beyond them holds less than this on each side.
constexpr double kTailMass = 1e-13;
// Geometric grading toward a point where the integrand is not smooth: panels shrink by this
// ratio, kGradingLevels times.
constexpr double kGradingRatio = 0.2;
constexpr int kGradingLevels = 6;
// Below this k the quantile panels are cut to width 1 and graded (the kinks of small k); from it
// up the plain panels suffice.
constexpr double kGradedBelowK = 4;
// Below this k the starts sit in panels of one lattice step (AlignedStartRule).
constexpr double kAlignedBelowK = 2;
// Start panels holding less of the weight than this take fewer nodes: their error is a share of
// their mass (at 1e-4 the density moves by under 5e-6 of its peak; at 1e-3 by 4e-4).
constexpr double kLightPanel = 1e-4;
// Gauss-Legendre orders: 8 where the integrand has the kinks of small k, 4 where it is smooth, 2
// in panels of one lattice step.
using TGauss8 = boost::math::quadrature::gauss<double, 8>;
using TGauss4 = boost::math::quadrature::gauss<double, 4>;
using TGauss2 = boost::math::quadrature::gauss<double, 2>;

struct TRule {
  std::vector<double> Nodes;
  std::vector<double> Weights;  // include the Gamma(k + 1) density

  // A node of weight w (the panel's quadrature weight times the Gamma(k + 1) density at y, whose
  // log normaliser is lgamma(k + 1)); weights below what the sum can hold are left out.
  void Add(double k, double log_norm, double y, double w) {
    w *= std::exp(k * std::log(y) - y - log_norm);
    if (w < 1e-16)
      return;
    Nodes.push_back(y);
    Weights.push_back(w);
  }
  // Gauss-Legendre (positive abscissas and their weights) on [centre - half, centre + half].
  template <class TAbscissa, class TWeights>
  void AddGauss(double k, double log_norm, double centre, double half, const TAbscissa& abscissa,
                const TWeights& weights) {
    for (std::size_t g = 0; g < abscissa.size(); ++g)
      for (double sign : {-1.0, 1.0}) Add(k, log_norm, centre + sign * half * abscissa[g], half * weights[g]);
  }
};

// Composite Gauss-Legendre for the weight Gamma(k + 1, 1): panels between the weight's
// quantiles (so the tails take few nodes), below kGradedBelowK cut to width 1 and graded geometrically
// toward 0 (the weight's y^k) and toward y0 = m, where the atom's end leaves a (y0 - m)^k.
TRule StartRule(double k, double m) {
  // Below kGradedBelowK the integrand's kinks where Y'_m reaches 0 call for narrow panels.
  const double width = k < kGradedBelowK ? 1.0 : 1e300;
  std::vector<double> edges;
  for (double p : {1e-13, 1e-10, 1e-7, 1e-5, 1e-3, 0.01, 0.05, 0.15, 0.3, 0.5}) {
    edges.push_back(boost::math::gamma_p_inv(k + 1, p));
    edges.push_back(boost::math::gamma_q_inv(k + 1, p));
  }
  const double lo = k > 2 ? *std::min_element(edges.begin(), edges.end()) : 0.0;
  const double hi = *std::max_element(edges.begin(), edges.end());
  edges.push_back(lo);
  // Both are C^k-smooth at most: for larger k the plain panels suffice.
  for (double c : {0.0, m}) {
    if (c < lo || c > hi || k >= kGradedBelowK)
      continue;
    double d = std::min(width, 1.0);
    for (int level = 0; level <= kGradingLevels; ++level, d *= kGradingRatio) {
      edges.push_back(c);
      if (c - d > lo)
        edges.push_back(c - d);
      if (c + d < hi)
        edges.push_back(c + d);
    }
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::remove_if(edges.begin(), edges.end(), [&](double e) { return e < lo; }), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  TRule rule;
  const double log_norm = std::lgamma(k + 1);
  const bool smooth = k >= kGradedBelowK;
  for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
    const double a = edges[e], b = edges[e + 1];
    const bool light =
        !smooth && boost::math::gamma_p(k + 1, b) - boost::math::gamma_p(k + 1, a) < kLightPanel;
    const auto& abscissa = smooth || light ? TGauss4::abscissa() : TGauss8::abscissa();
    const auto& weights = smooth || light ? TGauss4::weights() : TGauss8::weights();
    // Far from 0 the kinks are weighed by a small density: the panels may widen with a.
    const auto pieces = light ? 1 : static_cast<int>(std::ceil((b - a) / std::max(width, a / 4)));
    const double piece = (b - a) / pieces;
    for (int p = 0; p < pieces; ++p)
      rule.AddGauss(k, log_norm, a + (p + 0.5) * piece, piece / 2, abscissa, weights);
  }
  return rule;
}

// Below kAlignedBelowK the starts up to y0 = m + h sit in panels of one lattice step, their
// edges on the lattice's levels. A start's solve is smooth in y0 between those edges but not
// across them (where a level reaches 0, its survival's form changes), so Gauss panels that
// straddle them leave noise of a few per cent below the mode at k <= 1 that no extrapolation
// removes; panels on the lattice leave an error as smooth in the step as the scheme's own, which
// the grids' combination removes with it (stationary_shape_solver.h). Gauss-Legendre of order 2 in
// each, the first graded toward 0 (the weight's y^k); beyond the weight's 1 - kLightPanel quantile
// one node each. Above m + h no level reaches 0 and the solve is smooth in y0: the weight's
// quantile panels, order 8.
TRule AlignedStartRule(double k, double m, double h) {
  const double hi = boost::math::gamma_q_inv(k + 1, kTailMass);
  const double light_from = boost::math::gamma_q_inv(k + 1, kLightPanel);
  std::vector<double> edges{0.0};
  for (double d = h * std::pow(kGradingRatio, kGradingLevels); d < h; d /= kGradingRatio) edges.push_back(d);
  const auto aligned = static_cast<std::size_t>(std::ceil(std::min(hi, m + h) / h));
  for (std::size_t i = 1; i <= aligned; ++i) edges.push_back(static_cast<double>(i) * h);
  const double aligned_end = edges.back();
  if (aligned_end < hi) {
    for (double p : {1e-13, 1e-10, 1e-7, 1e-5, 1e-3, 0.01, 0.05, 0.15, 0.3, 0.5, 0.7, 0.85}) {
      const double q = boost::math::gamma_q_inv(k + 1, p);
      if (q > aligned_end)
        edges.push_back(q);
    }
    std::sort(edges.begin(), edges.end());
  }
  TRule rule;
  const double log_norm = std::lgamma(k + 1);
  for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
    const double a = edges[e], b = edges[e + 1];
    const double centre = (a + b) / 2, half = (b - a) / 2;
    if (a >= aligned_end)
      rule.AddGauss(k, log_norm, centre, half, TGauss8::abscissa(), TGauss8::weights());
    else if (a >= light_from)
      rule.Add(k, log_norm, centre, 2 * half);
    else
      rule.AddGauss(k, log_norm, centre, half, TGauss2::abscissa(), TGauss2::weights());
  }
  return rule;
}

// Starts advance several at a time, one in each lane of a vector: the running sums below are
// serial in the bins, and a single start would leave the floating-point units waiting on them.
// Lanes as wide as the processor's vectors (2, 4 or 8, chosen when the program runs; wider than
// the hardware, the compiler's emulation is slower than one lane); each lane computes what a lone
// start would, but the lanes of a group share one window of bins, so the figures may differ in
// their last bits from one processor to another (not from one run or core count to another).
template <std::size_t Lanes>
struct TLanesOf;
template <>
struct TLanesOf<2> {
  typedef double Type __attribute__((vector_size(2 * sizeof(double))));
};
template <>
struct TLanesOf<4> {
  typedef double Type __attribute__((vector_size(4 * sizeof(double))));
};
template <>
struct TLanesOf<8> {
  typedef double Type __attribute__((vector_size(8 * sizeof(double))));
};
template <std::size_t Lanes>
using TLanes = typename TLanesOf<Lanes>::Type;

template <std::size_t Lanes>
[[gnu::always_inline]] inline bool AllBelow(const TLanes<Lanes>& x, double limit) {
  for (std::size_t l = 0; l < Lanes; ++l)
    if (!(x[l] < limit))
      return false;
  return true;
}

// What the starts share: the rule, the lattice and the time steps.
struct TStartsProblem {
  const TRule* Rule = nullptr;
  double K = 0;
  double H = 0;
  std::size_t Steps = 0;
  std::size_t Bins = 0;
};

// Lanes starts Y'_0 = y0 forward in work time on the lattice of S: adds weight * (the masses of
// S's bins at the end) to `total`, lane by lane. Bin j holds S in [(j - 1/2) h, (j + 1/2) h) (bin
// 0: [0, h/2)). `mass` holds Bins entries, `survive` 2 (Bins + Steps).
template <std::size_t Lanes>
[[gnu::always_inline]] inline void ForwardStarts(const TStartsProblem& problem, const TLanes<Lanes>& y0,
                                                 const TLanes<Lanes>& weight, double* total,
                                                 TLanes<Lanes>* mass, TLanes<Lanes>* survive) {
  using V = TLanes<Lanes>;
  const double k = problem.K, h = problem.H;
  const std::size_t bins = problem.Bins, steps = problem.Steps;
  // The lattice point of bin j at step n sits at level y0 + (j - n) h: index j - n + steps. Per
  // index: the survival over a whole step from there, and over the half step from half a step
  // lower (where mass that jumped during the step spends the rest of it, on average).
  const std::size_t size = bins + steps;
  V* whole = survive;
  V* half = whole + size;
  std::fill(survive, survive + 2 * size, V{});
  for (std::size_t l = 0; l < Lanes; ++l) {
    const double positive = std::max(0.0, static_cast<double>(steps) - y0[l] / h - 1);
    for (auto i = static_cast<std::size_t>(positive); i < size; ++i) {
      const double y = y0[l] + (static_cast<double>(i) - static_cast<double>(steps)) * h;
      whole[i][l] = y > h ? std::exp(k * std::log1p(-h / y)) : 0.0;
      const double y_mid = y - h / 2;
      half[i][l] = y_mid > h / 2 ? std::exp(k * std::log1p(-h / 2 / y_mid)) : 0.0;
    }
  }
  const double p0 = -std::expm1(-h / 2);
  const double q = std::exp(-h);
  const double c = std::exp(-h / 2) * (-std::expm1(-h));
  std::fill(mass, mass + bins, V{});
  V atom = V{} + 1.0;
  std::size_t lo = 0, hi = 1;  // bins [lo, hi) may hold mass
  for (std::size_t n = 0; n < steps; ++n) {
    const V* sv = whole + steps - n;
    const V* sh = half + steps - n;
    // The atom jumps from bin 0's place.
    const V atom_jump = atom * (1 - sv[0]);
    atom *= sv[0];
    // Two running sums: the first landing, then the share of it that jumps again. Bins at and
    // beyond hi hold nothing yet.
    V first{}, second{};
    std::size_t j = lo;
    for (; j < bins; ++j) {
      if (j >= hi && AllBelow<Lanes>(first + second, 1e-18))
        break;
      const V old = mass[j];
      const V source = j == 0 ? old * (1 - sv[0]) + atom_jump : old * (1 - sv[j]);
      const V landed = source * p0 + c * first;
      first = q * first + source;
      const V again = landed * (1 - sh[j]);
      mass[j] = old * sv[j] + landed * sh[j] + again * p0 + c * second;
      second = q * second + again;
    }
    hi = std::max(hi, j);
    // Bins whose level has passed 0 keep re-jumping what little they hold: below 1e-17 (of the
    // start's unit mass) it is dropped.
    while (lo + 1 < hi && AllBelow<Lanes>(sv[lo], 1e-300) && AllBelow<Lanes>(mass[lo], 1e-17) &&
           !(lo == 0 && !AllBelow<Lanes>(atom, 1e-300))) {
      mass[lo] = V{};
      ++lo;
    }
  }
  for (std::size_t l = 0; l < Lanes; ++l)
    for (std::size_t j = lo; j < hi; ++j) total[j] += weight[l] * mass[j][l];
}

// The groups first, first + 2, ... of Lanes neighbouring starts (alike in their lattices'
// extent) into `total` (Bins entries); a short last group is padded with weightless copies of its
// last start.
template <std::size_t Lanes>
[[gnu::always_inline]] inline void ForwardGroups(const TStartsProblem& problem, std::size_t first,
                                                 double* total) {
  using V = TLanes<Lanes>;
  const std::vector<double>& nodes = problem.Rule->Nodes;
  const std::unique_ptr<V[]> mass(new V[problem.Bins]);
  const std::unique_ptr<V[]> survive(new V[2 * (problem.Bins + problem.Steps)]);
  const std::size_t groups = (nodes.size() + Lanes - 1) / Lanes;
  for (std::size_t g = first; g < groups; g += 2) {
    V y0{}, weight{};
    for (std::size_t l = 0; l < Lanes; ++l) {
      const std::size_t i = std::min(g * Lanes + l, nodes.size() - 1);
      y0[l] = nodes[i];
      weight[l] = g * Lanes + l < nodes.size() ? problem.Rule->Weights[i] : 0.0;
    }
    ForwardStarts<Lanes>(problem, y0, weight, total, mass.get(), survive.get());
  }
}

[[gnu::target("avx512f")]] void ForwardGroupsOfEight(const TStartsProblem& problem, std::size_t first,
                                                     double* total) {
  ForwardGroups<8>(problem, first, total);
}
[[gnu::target("avx")]] void ForwardGroupsOfFour(const TStartsProblem& problem, std::size_t first,
                                                double* total) {
  ForwardGroups<4>(problem, first, total);
}
void ForwardGroupsOfTwo(const TStartsProblem& problem, std::size_t first, double* total) {
  ForwardGroups<2>(problem, first, total);
}

using TForwardGroups = void (*)(const TStartsProblem&, std::size_t, double*);

std::size_t WidestLanes() {
  static const std::size_t widest = [] {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f"))
      return std::size_t{8};
    if (__builtin_cpu_supports("avx"))
      return std::size_t{4};
    return std::size_t{2};
  }();
  return widest;
}

TForwardGroups ForwardGroupsOf(std::size_t lanes) {
  if (lanes == 0 || lanes > WidestLanes())
    lanes = WidestLanes();
  if (lanes >= 8)
    return &ForwardGroupsOfEight;
  if (lanes >= 4)
    return &ForwardGroupsOfFour;
  return &ForwardGroupsOfTwo;
}

}  // namespace

namespace {

bool Solvable(double k, double m, double step) {
  return k > 0 && std::isfinite(k) && m > 0 && std::isfinite(m) && step > 0 && std::isfinite(step);
}

}  // namespace

std::size_t WidestShapeLanes() {
  return WidestLanes();
}

std::vector<double> SolveShapeOnGrid(double k, double m, double step, std::size_t lanes) {
  if (!Solvable(k, m, step))
    throw EShapeSolveRange();
  const double h = step;
  const auto steps = static_cast<std::size_t>(std::llround(m / h));
  assert(steps >= 1 && std::fabs(static_cast<double>(steps) * h - m) < 1e-9 * m);
  // S = m + Y'_m - Y'_0 <= m + Y'_m, Y'_m ~ Gamma(k + 1); and S's tail beyond its body falls at
  // least like e^-s (each distraction adds Exp(1) and lowers the hazard of the next).
  const double y_end = boost::math::gamma_q_inv(k + 1, kTailMass);
  const double sd = std::sqrt(2 * (k + 1) * -std::expm1(-m / (k + 1)));
  const double s_end = std::min(m + y_end, m + 10 * sd + 40);
  const auto bins = static_cast<std::size_t>(std::ceil(s_end / h)) + 2;

  // The starts are independent: every other group on a second thread, the two sums added in a fixed
  // order (the same figures on any number of cores). A shape is wanted by a fit that waits for it.
  const TRule rule = k < kAlignedBelowK ? AlignedStartRule(k, m, h) : StartRule(k, m);
  const TStartsProblem problem{&rule, k, h, steps, bins};
  const TForwardGroups forward_groups = ForwardGroupsOf(lanes);
  const auto forward = [&](std::size_t first, std::vector<double>& total) {
    total.assign(bins, 0.0);
    forward_groups(problem, first, total.data());
  };
  std::vector<double> even, odd;
  std::exception_ptr failure;
  std::thread other([&] {
    try {
      forward(1, odd);
    } catch (...) {
      failure = std::current_exception();
    }
  });
  try {
    forward(0, even);
  } catch (...) {
    other.join();
    throw;
  }
  other.join();
  if (failure)
    std::rethrow_exception(failure);
  std::vector<double> density(bins);
  for (std::size_t j = 1; j < bins; ++j) density[j] = (even[j] + odd[j]) / h;
  density[0] = 4 * density[1] - 6 * density[2] + 4 * density[3] - density[4];
  return density;
}

namespace {

// Enough work time for 8 steps of 4 node spacings:
// three grids h, h/2, h/4 with h = 4 x the node spacing, their error's h^2 and h^3 terms removed
// at the coarse nodes; at the finest grid's other nodes the same correction, which is as smooth as
// the shape, is interpolated (cubic) from the coarse nodes. A quarter of the two-grid scheme's work
// at the same node spacing and an accuracy at least as good (stationary_shape_solver.h).
TShapeNodes SolveThreeGrids(double k, double m, double target_step) {
  const double h = m / std::ceil(m / (4 * target_step));
  const std::vector<double> f1 = SolveShapeOnGrid(k, m, h);
  const std::vector<double> f2 = SolveShapeOnGrid(k, m, h / 2);
  const std::vector<double> f4 = SolveShapeOnGrid(k, m, h / 4);
  const auto at = [](const std::vector<double>& f, std::size_t j) { return j < f.size() ? f[j] : 0.0; };
  std::vector<double> correction(f1.size() + 3, 0.0);  // at the coarse nodes, zero beyond the tables
  for (std::size_t j = 0; j < f1.size(); ++j) {
    const double r1 = (4 * at(f2, 2 * j) - f1[j]) / 3;
    const double r2 = (4 * at(f4, 4 * j) - at(f2, 2 * j)) / 3;
    correction[j] = (8 * r2 - r1) / 7 - at(f4, 4 * j);
  }
  TShapeNodes nodes;
  nodes.Step = h / 4;
  nodes.Density.resize(4 * (f1.size() - 1) + 1);
  for (std::size_t i = 0; i < nodes.Density.size(); ++i) {
    const std::size_t cell = i / 4;
    const double x = static_cast<double>(i % 4) / 4;
    double c = correction[cell];
    if (x > 0) {
      // The cubic through the four coarse nodes around the cell (one-sided at the table's start).
      const std::size_t first = cell == 0 ? 0 : cell - 1;
      const double t = x + static_cast<double>(cell - first);
      const double* f = correction.data() + first;
      const double t0 = t, t1 = t - 1, t2 = t - 2, t3 = t - 3;
      c = -f[0] * t1 * t2 * t3 / 6 + f[1] * t0 * t2 * t3 / 2 - f[2] * t0 * t1 * t3 / 2 +
          f[3] * t0 * t1 * t2 / 6;
    }
    nodes.Density[i] = at(f4, i) + c;
  }
  return nodes;
}

}  // namespace

TShapeNodes SolveStationaryShape(double k, double m, double target_step) {
  if (!Solvable(k, m, target_step))
    throw EShapeSolveRange();
  if (m >= 8 * 4 * target_step)
    return SolveThreeGrids(k, m, target_step);
  // At least 8 steps (a small m's shape still changes within the work time), but steps of at
  // least 0.02 and 2 at the fewest: for m below 0.16 a distraction is rare and a second one rarer,
  // and the lattice, tied to the step, would grow as 40/step.
  const double wanted = std::max(8.0, std::ceil(m / target_step));
  const double coarse_steps = std::max(2.0, std::min(wanted, std::ceil(m / 0.02)));
  const double h = m / coarse_steps;
  const std::vector<double> coarse = SolveShapeOnGrid(k, m, h);
  const std::vector<double> middle = SolveShapeOnGrid(k, m, h / 2);

  TShapeNodes nodes;
  nodes.Step = h;
  nodes.Density.resize(coarse.size());
  // The scheme's error is of order h^2: the combination that removes it.
  for (std::size_t j = 0; j < coarse.size(); ++j) {
    const double f2 = 2 * j < middle.size() ? middle[2 * j] : 0.0;
    nodes.Density[j] = (4 * f2 - coarse[j]) / 3;
  }
  return nodes;
}

}  // namespace corvane
