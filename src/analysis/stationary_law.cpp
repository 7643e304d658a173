#include "analysis/stationary_law.h"

#include <algorithm>
#include <boost/math/special_functions/bessel.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <cstddef>

#include "analysis/stationary_shape.h"

namespace corvane {
namespace {

void CheckLaw(const TStationaryLaw& law) {
  const auto positive = [](double x) { return x > 0 && std::isfinite(x); };
  // m = b c0 A must be a number too (the product of three finite numbers can overflow).
  if (!positive(law.A) || !positive(law.b) || !positive(law.c0) || !(law.k > 0) ||
      !positive(law.b * law.c0 * law.A))
    throw EStationaryLawRange();
}

// The independent limit's closed form stands for very large k and for very small m.
bool IsIndependent(const TStationaryLaw& law) {
  if (law.k >= kIndependentLimitK)
    return true;
  const double m = law.b * law.c0 * law.A;
  if (m > kLargestShapeM)
    throw EStationaryShapeRange();
  return m < kSmallestShapeM;
}

// I0(x) e^-x or I1(x) e^-x without overflow: Boost below 700, the asymptotic series above (its terms fall
// fast there: the fifth is below 1e-13 of the first). In double: Boost's default promotes it to
// extended precision, which took a quarter of the bootstrap's time at the independent limit, for
// digits the density does not need (a few ulps against 1e-4 asked of it).
constexpr auto kInDouble = boost::math::policies::make_policy(boost::math::policies::promote_double<false>());

double ScaledBesselI(int order, double x) {
  if (x < 700)
    return boost::math::cyl_bessel_i(order, x, kInDouble) * std::exp(-x);
  const double mu = 4.0 * order * order;
  double term = 1, sum = 1;
  for (int j = 1; j <= 8; ++j) {
    const double odd = 2 * j - 1;
    term *= -(mu - odd * odd) / (8 * j * x);
    sum += term;
  }
  return sum / std::sqrt(2 * M_PI * x);
}

}  // namespace

double IndependentShapeDensity(double m, double s) {
  if (!(s > 0))
    return 0;
  if (std::isinf(s))
    return 0;
  const double x = 2 * std::sqrt(m * s);
  // e^-(m + s) I1(x) directly while neither factor leaves double's range: one exponential fewer
  // than the scaled form (the bootstrap's refits at large k spend much of their time here).
  if (m + s < 700 && x < 700)
    return std::exp(-(m + s)) * std::sqrt(m / s) * boost::math::cyl_bessel_i(1, x, kInDouble);
  const double gap = std::sqrt(m) - std::sqrt(s);
  return std::exp(-gap * gap) * std::sqrt(m / s) * ScaledBesselI(1, x);
}

double IndependentShapeDensity(double m, double s, double& in_s, double& in_m) {
  in_s = in_m = 0;
  if (!(s > 0) || std::isinf(s) || !(m > 0))
    return 0;
  // With x = 2 sqrt(m s) and I1' = I0 - I1/x, the 1/x terms cancel against the root's.
  const double x = 2 * std::sqrt(m * s);
  // Unscaled while in range, as above: the scaling's two exponentials cancel in the ratio.
  const bool direct = m + s < 700 && x < 700;
  const double i1 = direct ? boost::math::cyl_bessel_i(1, x, kInDouble) : ScaledBesselI(1, x);
  const double ratio = (direct ? boost::math::cyl_bessel_i(0, x, kInDouble) : ScaledBesselI(0, x)) / i1;
  in_s = -1 - 1 / s + std::sqrt(m / s) * ratio;
  in_m = -1 + std::sqrt(s / m) * ratio;
  if (direct)
    return std::exp(-(m + s)) * std::sqrt(m / s) * i1;
  const double gap = std::sqrt(m) - std::sqrt(s);
  return std::exp(-gap * gap) * std::sqrt(m / s) * i1;
}

double IndependentShapeDistribution(double m, double s) {
  if (s < 0)
    return 0;
  if (std::isnan(s))
    return s;
  if (std::isinf(s))
    return 1;
  const double atom = std::exp(-m);
  if (s == 0)
    return atom;
  // sum over j >= 1 of Pois(j; m) P(Gamma(j) <= s), over the j whose Poisson weight is 1e-17 or
  // more (found from the mode outwards). One incomplete gamma at the lowest j; the others by
  // P(Gamma(j + 1) <= s) = P(Gamma(j) <= s) - s^j e^-s / j!, the weights and terms by their
  // ratios: a goodness-of-fit distance asks for a thousand values of each replicate, and an
  // incomplete gamma for each j (in extended precision inside the library) cost 60 times more.
  // The recurrence's subtractions leave an absolute error of a few 1e-16 per term (within 1e-13 of
  // the term-by-term sum in extended precision).
  const auto mode = static_cast<long>(std::max(1.0, std::floor(m)));
  // The anchors in extended precision: their exponents (j ln m, 7,000 at m = 1,000) would round
  // to 1e-12 of them in double, an error the ratios then carry to every weight and term.
  const long double log_m = std::log(static_cast<long double>(m));
  const auto poisson = [&](long j) {
    const auto J = static_cast<long double>(j);
    return static_cast<double>(std::exp(J * log_m - m - std::lgamma(J + 1)));
  };
  long low = mode;
  for (double w = poisson(low); low > 1 && w >= 1e-17; --low) w *= static_cast<double>(low) / m;
  const long double log_s = std::log(static_cast<long double>(s));
  const auto term = [&](long j) {  // s^j e^-s / j!
    const auto J = static_cast<long double>(j);
    return static_cast<double>(std::exp(J * log_s - s - std::lgamma(J + 1)));
  };
  double weight = poisson(low);
  double below = boost::math::gamma_p(static_cast<double>(low), s);  // P(Gamma(j) <= s)
  double t = term(low);
  double sum = 0, weights = 0;
  for (long j = low;; ++j) {
    sum += weight * below;
    weights += weight;
    if (weight < 1e-17 && static_cast<double>(j) > m)
      break;
    below = std::max(0.0, below - t);
    const auto next = static_cast<double>(j + 1);
    weight *= m / next;
    // A term that underflowed while the terms still grow toward j = s is taken afresh.
    t = t > 1e-290 ? t * s / next : term(j + 1);
  }
  // The ratios' own rounding (some 1e-16 a step) scaled out by the weights' known total, 1 - e^-m.
  return std::min(1.0, atom + sum * (-std::expm1(-m) / weights));
}

double StationaryDistractionMean(const TStationaryLaw& law) {
  CheckLaw(law);
  return law.b * law.c0 * law.A;
}

double StationaryAtom(const TStationaryLaw& law) {
  return std::exp(-StationaryDistractionMean(law));
}

void StationaryDensity(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out) {
  const double m = StationaryDistractionMean(law);
  const std::size_t n = std::min(rt.size(), out.size());
  if (IsIndependent(law)) {
    for (std::size_t i = 0; i < n; ++i)
      out[i] = law.c0 * IndependentShapeDensity(m, law.c0 * (rt[i] - law.A));
    return;
  }
  const auto shape = StationaryShape(law.k, m);
  for (std::size_t i = 0; i < n; ++i) out[i] = law.c0 * shape->Density(law.c0 * (rt[i] - law.A));
}

double StationaryDensity(const TStationaryLaw& law, double rt) {
  double out = 0;
  StationaryDensity(law, std::span<const double>(&rt, 1), std::span<double>(&out, 1));
  return out;
}

double StationaryDistribution(const TStationaryLaw& law, double rt) {
  const double m = StationaryDistractionMean(law);
  const double s = law.c0 * (rt - law.A);
  if (IsIndependent(law))
    return IndependentShapeDistribution(m, s);
  return StationaryShape(law.k, m)->Distribution(s);
}

double StationaryQuantile(const TStationaryLaw& law, double p) {
  const double m = StationaryDistractionMean(law);
  if (!(p >= 0 && p < 1))
    throw EStationaryProbabilityRange();
  if (p <= std::exp(-m))
    return law.A;
  double s = 0;
  if (IsIndependent(law)) {
    // Bisection on the exact distribution function, bracketed by doubling.
    double lo = 0, hi = std::max(1.0, 2 * m);
    while (IndependentShapeDistribution(m, hi) < p) hi *= 2;
    for (int i = 0; i < 200 && hi - lo > 1e-14 * hi; ++i) {
      const double mid = (lo + hi) / 2;
      (IndependentShapeDistribution(m, mid) >= p ? hi : lo) = mid;
    }
    s = hi;
  } else {
    s = StationaryShape(law.k, m)->Quantile(p);
  }
  return law.A + s / law.c0;
}

}  // namespace corvane
