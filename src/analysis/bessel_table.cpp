#include "analysis/bessel_table.h"

#include <algorithm>
#include <boost/math/special_functions/bessel.hpp>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <vector>

namespace corvane {
namespace {

constexpr auto kInDouble = boost::math::policies::make_policy(boost::math::policies::promote_double<false>());
constexpr std::size_t kSquareCells = 4096;
constexpr std::size_t kInverseCells = 1024;
// Above this x Boost's I(x) overflows; the asymptotic series serves (its fifth term is below 1e-13).
constexpr double kAsymptoticFrom = 700;

// The cubic Hermite interpolants of two functions from their values and slopes at the nodes
// u = 0, step, ..., cells step; node(u, f0, f1, d0, d1) gives them.
template <class TNode>
TBesselTable Tabulate(double step, std::size_t cells, TNode node) {
  std::vector<double> coefficients(8 * cells);
  double f[2], d[2], g[2], e[2];
  node(0.0, f[0], f[1], d[0], d[1]);
  for (std::size_t c = 0; c < cells; ++c) {
    node(static_cast<double>(c + 1) * step, g[0], g[1], e[0], e[1]);
    for (std::size_t q = 0; q < 2; ++q) {
      double* k = &coefficients[8 * c + 4 * q];
      k[0] = f[q];
      k[1] = step * d[q];
      k[2] = 3 * (g[q] - f[q]) - step * (2 * d[q] + e[q]);
      k[3] = 2 * (f[q] - g[q]) + step * (d[q] + e[q]);
      f[q] = g[q];
      d[q] = e[q];
    }
  }
  return TBesselTable(step, std::move(coefficients));
}

// I0(x) and I1(x)/x as functions of t = x^2, with dI0/dt = (I1/x)/2 and
// d(I1/x)/dt = (I0 - 2 I1/x)/(2t) (1/16 at t = 0, where I1/x = 1/2).
void SquareNode(double t, double& i0, double& i1_x, double& d0, double& d1) {
  if (t == 0) {
    i0 = 1;
    i1_x = 0.5;
    d0 = 0.25;
    d1 = 1.0 / 16;
    return;
  }
  const double x = std::sqrt(t);
  i0 = boost::math::cyl_bessel_i(0, x, kInDouble);
  i1_x = boost::math::cyl_bessel_i(1, x, kInDouble) / x;
  d0 = i1_x / 2;
  d1 = (i0 - 2 * i1_x) / (2 * t);
}

// G(w) = I(x) e^-x sqrt(x) at w = 1/x for orders 0 and 1, with dG/dw = -x^2 dG/dx.
void InverseNode(double w, double& g0, double& g1, double& d0, double& d1) {
  const double root = 1 / std::sqrt(2 * std::numbers::pi);
  const double x = w > 0 ? 1 / w : std::numeric_limits<double>::infinity();
  if (x >= kAsymptoticFrom) {
    // sum_j a_j w^j, a_0 = 1, a_j = -a_(j-1) (4 nu^2 - (2j - 1)^2) / (8j); and its slope in w.
    double* g[2] = {&g0, &g1};
    double* d[2] = {&d0, &d1};
    for (int order = 0; order < 2; ++order) {
      const double mu = 4.0 * order * order;
      double a = 1, power = 1, sum = 1, slope = 0;
      for (int j = 1; j <= 8; ++j) {
        const double odd = 2 * j - 1;
        a *= -(mu - odd * odd) / (8 * j);
        slope += j * a * power;
        power *= w;
        sum += a * power;
      }
      *g[order] = root * sum;
      *d[order] = root * slope;
    }
    return;
  }
  const double scale = std::exp(-x) * std::sqrt(x);
  g0 = boost::math::cyl_bessel_i(0, x, kInDouble) * scale;
  g1 = boost::math::cyl_bessel_i(1, x, kInDouble) * scale;
  // d/dx [I e^-x sqrt(x)]: I0' = I1, I1' = I0 - I1/x.
  const double dx0 = g1 - g0 + g0 / (2 * x);
  const double dx1 = g0 - g1 - g1 / (2 * x);
  d0 = -x * x * dx0;
  d1 = -x * x * dx1;
}

}  // namespace

const TBesselTable& BesselSquareTable() {
  static const TBesselTable table = Tabulate(kBesselSquareSplit / kSquareCells, kSquareCells, SquareNode);
  return table;
}

const TBesselTable& BesselInverseTable() {
  static const TBesselTable table = Tabulate(1 / kBesselSplit / kInverseCells, kInverseCells, InverseNode);
  return table;
}

}  // namespace corvane
