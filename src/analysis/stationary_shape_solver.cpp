#include "analysis/stationary_shape_solver.h"

#include <algorithm>
#include <boost/math/special_functions/gamma.hpp>
#include <cassert>
#include <cmath>
#include <cstddef>

namespace corvane {
namespace {

// The start's upper end: Gamma(k + 1, 1) beyond it holds less than this.
constexpr double kTailMass = 1e-13;

double StartUpperEnd(double k) {
  return boost::math::gamma_q_inv(k + 1, kTailMass);
}

}  // namespace

std::vector<double> SolveShapeOnGrid(double k, double m, double step) {
  const double h = step;
  const auto steps = static_cast<std::size_t>(std::llround(m / h));
  assert(steps >= 1 && std::fabs(static_cast<double>(steps) * h - m) < 1e-9 * m);
  const double y_end = StartUpperEnd(k);
  const auto starts = static_cast<std::size_t>(std::ceil(y_end / h));
  // S <= m + Y'_m, and Y'_m is Gamma(k + 1) too.
  const auto last = static_cast<std::size_t>(std::ceil((m + y_end) / h)) + 2;

  // Exponential jumps binned on the lattice: p0 below h/2, then c q^(l-1) for the bin around l h.
  const double p0 = -std::expm1(-h / 2);
  const double q = std::exp(-h);
  const double c = std::exp(-h / 2) * (-std::expm1(-h));

  std::vector<double> total(last + 1, 0.0);
  std::vector<double> mass(last + 1);
  std::vector<double> jumped(last + 1);
  double previous_cdf = 0;
  for (std::size_t i = 0; i < starts; ++i) {
    const double cdf = boost::math::gamma_p(k + 1, static_cast<double>(i + 1) * h);
    const double weight = cdf - previous_cdf;
    previous_cdf = cdf;
    if (weight < 1e-18)
      continue;
    const double y0 = (static_cast<double>(i) + 0.5) * h;
    std::fill(mass.begin(), mass.end(), 0.0);
    double atom = 1;
    std::size_t lo = 0;
    std::size_t hi = 0;  // one past the highest index holding mass
    for (std::size_t n = 0; n < steps; ++n) {
      const double tau = static_cast<double>(n) * h;
      // Points of the lattice: y = y0 - tau + j h, on the half-lattice, never 0.
      for (std::size_t j = lo; j < hi; ++j) {
        const double y = y0 - tau + static_cast<double>(j) * h;
        const double survive = y > h ? std::pow((y - h) / y, k) : 0.0;
        jumped[j] = mass[j] * (1 - survive);
        mass[j] *= survive;
      }
      double atom_jump = 0;
      if (atom > 0) {
        const double y = y0 - tau;
        const double survive = y > h ? std::pow((y - h) / y, k) : 0.0;
        atom_jump = atom * (1 - survive);
        atom *= survive;
      }
      // Landing: out_j = jumped_j p0 + c sum_{i<j} jumped_i q^(j-1-i), the atom from index 0.
      double running = 0;
      const std::size_t from = atom_jump > 0 ? 0 : lo;
      const std::size_t to = last + 1;
      std::size_t new_hi = hi;
      for (std::size_t j = from; j < to; ++j) {
        const double own = j >= lo && j < hi ? jumped[j] : 0.0;
        const double source = own + (j == 0 ? atom_jump : 0.0);
        const double land = source * p0 + c * running;
        mass[j] += land;
        running = q * running + source;
        if (land > 0)
          new_hi = std::max(new_hi, j + 1);
        if (j >= hi && running < 1e-20)
          break;
      }
      hi = new_hi;
      if (atom_jump > 0)
        lo = 0;
      // Cells whose Y' has reached the floor are emptied by the step above.
      while (lo < hi && mass[lo] == 0 && (atom <= 0 || lo > 0)) ++lo;
    }
    for (std::size_t j = 0; j < last + 1; ++j) total[j] += weight * mass[j];
  }
  // Masses to densities: node 0 holds the half bin [0, h/2).
  std::vector<double> density(last + 1);
  for (std::size_t j = 1; j <= last; ++j) density[j] = total[j] / h;
  density[0] = 3 * density[1] - 3 * density[2] + density[3];
  return density;
}

TShapeNodes SolveStationaryShape(double k, double m, double target_step) {
  const double coarse_steps = std::max(2.0, std::ceil(m / target_step));
  const double h = m / coarse_steps;
  const std::vector<double> coarse = SolveShapeOnGrid(k, m, h);
  const std::vector<double> fine = SolveShapeOnGrid(k, m, h / 2);
  TShapeNodes nodes;
  nodes.Step = h;
  nodes.Density.resize(coarse.size());
  for (std::size_t j = 0; j < coarse.size(); ++j) {
    const double f = 2 * j < fine.size() ? fine[2 * j] : 0.0;
    nodes.Density[j] = 2 * f - coarse[j];
  }
  return nodes;
}

}  // namespace corvane
