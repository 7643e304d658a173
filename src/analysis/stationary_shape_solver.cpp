#include "analysis/stationary_shape_solver.h"

#include <algorithm>
#include <boost/math/quadrature/gauss.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <exception>
#include <thread>

namespace corvane {
namespace {

// The start's ends: Gamma(k + 1, 1) beyond them holds less than this on each side.
constexpr double kTailMass = 1e-13;
// Geometric grading toward a point where the integrand is not smooth: panels shrink by this
// ratio, kGradingLevels times.
constexpr double kGradingRatio = 0.2;
constexpr int kGradingLevels = 6;
constexpr double kGradedBelowK = 4;
// The three-grid extrapolation from this k up (the graded starts below kGradedBelowK kept): against
// a solve at a quarter of the node spacing it is as accurate as the two-grid scheme down to k = 2,
// at under a third of its cost; at k = 1.5 its mass errs 6 times as much (8e-6).
constexpr double kThreeGridsFromK = 2;
// Gauss-Legendre orders: 8 where the integrand has the kinks of small k, 4 where it is smooth.
using TGauss8 = boost::math::quadrature::gauss<double, 8>;
using TGauss4 = boost::math::quadrature::gauss<double, 4>;

struct TRule {
  std::vector<double> Nodes;
  std::vector<double> Weights;  // include the Gamma(k + 1) density
};

// Composite Gauss-Legendre for the weight Gamma(k + 1, 1): panels between the weight's
// quantiles (so the tails take few nodes), cut to at most `width`, and graded geometrically
// toward 0 (the weight's y^k) and toward y0 = m, where the atom's end leaves a (y0 - m)^k.
TRule StartRule(double k, double m, double width) {
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
  const auto& abscissa = smooth ? TGauss4::abscissa() : TGauss8::abscissa();
  const auto& weights = smooth ? TGauss4::weights() : TGauss8::weights();
  for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
    const double a = edges[e], b = edges[e + 1];
    // Far from 0 the kinks are weighed by a small density: the panels may widen with a.
    const auto pieces = static_cast<int>(std::ceil((b - a) / std::max(width, a / 4)));
    const double piece = (b - a) / pieces;
    for (int p = 0; p < pieces; ++p) {
      const double centre = a + (p + 0.5) * piece, half = piece / 2;
      for (std::size_t g = 0; g < abscissa.size(); ++g)
        for (double sign : {-1.0, 1.0}) {
          const double y = centre + sign * half * abscissa[g];
          const double w = half * weights[g] * std::exp(k * std::log(y) - y - log_norm);
          if (w < 1e-16)
            continue;  // below what the sum can hold
          rule.Nodes.push_back(y);
          rule.Weights.push_back(w);
        }
    }
  }
  return rule;
}

// One start Y'_0 = y0 forward in work time on the lattice of S: adds weight * (the masses of S's
// bins at the end) to `total`. Bin j holds S in [(j - 1/2) h, (j + 1/2) h) (bin 0: [0, h/2)).
void ForwardStart(double k, double y0, double h, std::size_t steps, double weight, std::vector<double>& total,
                  std::vector<double>& mass, std::vector<double>& survive) {
  const std::size_t bins = total.size();
  // The lattice point of bin j at step n sits at level y0 + (j - n) h: index j - n + steps. Per
  // index: the survival over a whole step from there, and over the half step from half a step
  // lower (where mass that jumped during the step spends the rest of it, on average).
  const std::size_t size = bins + steps;
  survive.resize(2 * size);
  double* whole = survive.data();
  double* half = whole + size;
  const double positive = std::max(0.0, static_cast<double>(steps) - y0 / h - 1);
  std::fill(survive.begin(), survive.end(), 0.0);
  for (auto i = static_cast<std::size_t>(positive); i < size; ++i) {
    const double y = y0 + (static_cast<double>(i) - static_cast<double>(steps)) * h;
    whole[i] = y > h ? std::exp(k * std::log1p(-h / y)) : 0.0;
    const double y_mid = y - h / 2;
    half[i] = y_mid > h / 2 ? std::exp(k * std::log1p(-h / 2 / y_mid)) : 0.0;
  }
  const double p0 = -std::expm1(-h / 2);
  const double q = std::exp(-h);
  const double c = std::exp(-h / 2) * (-std::expm1(-h));
  std::fill(mass.begin(), mass.end(), 0.0);
  double atom = 1;
  std::size_t lo = 0, hi = 1;  // bins [lo, hi) may hold mass
  for (std::size_t n = 0; n < steps; ++n) {
    const double* sv = whole + steps - n;
    const double* sh = half + steps - n;
    double atom_jump = 0;
    if (atom > 0) {
      atom_jump = atom * (1 - sv[0]);
      atom *= sv[0];
    }
    // Two running sums: the first landing, then the share of it that jumps again. Bins at and
    // beyond hi hold nothing yet; the atom jumps from bin 0's place.
    double first = 0, second = 0;
    std::size_t j = lo;
    for (; j < bins; ++j) {
      if (j >= hi && first + second < 1e-18)
        break;
      const double old = mass[j];
      const double source = old * (1 - sv[j]) + (j == 0 ? atom_jump : 0.0);
      const double landed = source * p0 + c * first;
      first = q * first + source;
      const double again = landed * (1 - sh[j]);
      mass[j] = old * sv[j] + landed * sh[j] + again * p0 + c * second;
      second = q * second + again;
    }
    hi = std::max(hi, j);
    // Bins whose level has passed 0 keep re-jumping what little they hold: below 1e-17 (of the
    // start's unit mass) it is dropped.
    while (lo + 1 < hi && sv[lo] == 0 && mass[lo] < 1e-17 && !(lo == 0 && atom > 0)) {
      mass[lo] = 0;
      ++lo;
    }
  }
  for (std::size_t j = lo; j < hi; ++j) total[j] += weight * mass[j];
}

}  // namespace

namespace {

bool Solvable(double k, double m, double step) {
  return k > 0 && std::isfinite(k) && m > 0 && std::isfinite(m) && step > 0 && std::isfinite(step);
}

}  // namespace

std::vector<double> SolveShapeOnGrid(double k, double m, double step) {
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
  // Below kGradedBelowK the integrand's kinks where Y'_m reaches 0 call for narrow panels.
  const double width = k < kGradedBelowK ? 1.0 : 1e300;

  // The starts are independent: every other one on a second thread, the two sums added in a fixed
  // order (the same figures on any number of cores). A shape is wanted by a fit that waits for it.
  const TRule rule = StartRule(k, m, width);
  const auto forward = [&](std::size_t first, std::vector<double>& total) {
    std::vector<double> mass(bins), scratch;
    total.assign(bins, 0.0);
    for (std::size_t i = first; i < rule.Nodes.size(); i += 2)
      ForwardStart(k, rule.Nodes[i], h, steps, rule.Weights[i], total, mass, scratch);
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

// k >= kThreeGridsFromK with enough work time for 8 steps of 4 node spacings:
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
  if (k >= kThreeGridsFromK && m >= 8 * 4 * target_step)
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
