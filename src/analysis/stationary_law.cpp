#include "analysis/stationary_law.h"

#include <algorithm>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <cstddef>

#include "analysis/bessel_table.h"
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

}  // namespace

// With x = 2 sqrt(m s) and t = x^2 = 4 m s: below the table's split sqrt(m/s) I1(x) = 2 m I1(x)/x, so
// the density is 2 m e^-(m + s) I1(x)/x while e^-(m + s) stays in double's range; elsewhere
// e^-(sqrt(m) - sqrt(s))^2 sqrt(m/s) I1(x) e^-x, the scaling's exponentials cancelled (bessel_table.h).
double IndependentShapeDensity(double m, double s) {
  if (!(s > 0) || std::isinf(s))
    return 0;
  const double t = 4 * m * s;
  if (t < kBesselSquareSplit && m + s < 700)
    return 2 * m * std::exp(-(m + s)) * BesselOfSquare(t).i1;
  const double root_m = std::sqrt(m), root_s = std::sqrt(s);
  const double x = 2 * root_m * root_s, gap = root_m - root_s;
  const double scaled =
      x < kBesselSplit ? BesselOfSquare(t).i1 * x * std::exp(-x) : ScaledBessel(x).i1 / std::sqrt(x);
  return std::exp(-gap * gap) * (root_m / root_s) * scaled;
}

double IndependentShapeDensity(double m, double s, double& in_s, double& in_m) {
  in_s = in_m = 0;
  if (!(s > 0) || std::isinf(s) || !(m > 0))
    return 0;
  // With I1' = I0 - I1/x the 1/x terms cancel against the root's: the slopes need I0/I1 alone,
  // which below the split is (I0)/(x I1/x) and sqrt(m/s)/x = 1/(2 s).
  const double t = 4 * m * s;
  if (t < kBesselSquareSplit) {
    const TBesselPair b = BesselOfSquare(t);
    const double half_ratio = b.i0 / (2 * b.i1);
    in_s = -1 - 1 / s + half_ratio / s;
    in_m = -1 + half_ratio / m;
    if (m + s < 700)
      return 2 * m * std::exp(-(m + s)) * b.i1;
    const double x = std::sqrt(t), gap = std::sqrt(m) - std::sqrt(s);
    return std::exp(-gap * gap) * std::sqrt(m / s) * b.i1 * x * std::exp(-x);
  }
  const double root_m = std::sqrt(m), root_s = std::sqrt(s);
  const double x = 2 * root_m * root_s, gap = root_m - root_s;
  const TBesselPair b = ScaledBessel(x);
  const double ratio = b.i0 / b.i1;
  in_s = -1 - 1 / s + root_m / root_s * ratio;
  in_m = -1 + root_s / root_m * ratio;
  return std::exp(-gap * gap) * (root_m / root_s) * b.i1 / std::sqrt(x);
}

// sum over j >= 1 of Pois(j; m) P(Gamma(j) <= s), over the j whose Poisson weight is 1e-17 or more
// (found from the mode outwards). The weights depend on m alone, so they are found once for all s
// (a goodness-of-fit distance asks for each value of each replicate at one m); per s, one
// incomplete gamma at the lowest j and the others by P(Gamma(j + 1) <= s) = P(Gamma(j) <= s) -
// s^j e^-s / j!, the terms by their ratios (an incomplete gamma for each j, in extended precision
// inside the library, cost 60 times more). The recurrence's subtractions leave an absolute error of
// a few 1e-16 per term (within 1e-13 of the term-by-term sum in extended precision).
TIndependentDistribution::TIndependentDistribution(double m) : atom_(std::exp(-m)) {
  const auto mode = static_cast<long>(std::max(1.0, std::floor(m)));
  // The anchor in extended precision: its exponent (j ln m, 7,000 at m = 1,000) would round to
  // 1e-12 of it in double, an error the ratios then carry to every weight.
  const long double log_m = std::log(static_cast<long double>(m));
  const auto poisson = [&](long j) {
    const auto J = static_cast<long double>(j);
    return static_cast<double>(std::exp(J * log_m - m - std::lgamma(J + 1)));
  };
  low_ = mode;
  for (double w = poisson(low_); low_ > 1 && w >= 1e-17; --low_) w *= static_cast<double>(low_) / m;
  double weight = poisson(low_);
  double total = 0;
  for (long j = low_;; ++j) {
    weights_.push_back(weight);
    total += weight;
    if (weight < 1e-17 && static_cast<double>(j) > m)
      break;
    weight *= m / static_cast<double>(j + 1);
  }
  // The ratios' own rounding (some 1e-16 a step) scaled out by the weights' known total, 1 - e^-m.
  scale_ = -std::expm1(-m) / total;
}

double TIndependentDistribution::operator()(double s) const {
  if (s < 0)
    return 0;
  if (std::isnan(s))
    return s;
  if (std::isinf(s))
    return 1;
  if (s == 0)
    return atom_;
  const long double log_s = std::log(static_cast<long double>(s));
  const auto term = [&](long j) {  // s^j e^-s / j!
    const auto J = static_cast<long double>(j);
    return static_cast<double>(std::exp(J * log_s - s - std::lgamma(J + 1)));
  };
  // P(Gamma(j) <= s) and s^j e^-s / j! at the lowest j: in closed form at j = 1 (m up to about 45).
  double below = low_ == 1 ? -std::expm1(-s) : boost::math::gamma_p(static_cast<double>(low_), s);
  double t = low_ == 1 ? s * std::exp(-s) : term(low_);
  double sum = 0;
  long j = low_;
  for (const double weight : weights_) {
    sum += weight * below;
    below = std::max(0.0, below - t);
    const auto next = static_cast<double>(++j);
    // A term that underflowed while the terms still grow toward j = s is taken afresh.
    t = t > 1e-290 ? t * s / next : term(j);
  }
  return std::min(1.0, atom_ + sum * scale_);
}

double IndependentShapeDistribution(double m, double s) {
  return TIndependentDistribution(m)(s);
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
    // Bisection on the exact distribution function, bracketed by doubling; its weights found once.
    const TIndependentDistribution F(m);
    double lo = 0, hi = std::max(1.0, 2 * m);
    while (F(hi) < p) hi *= 2;
    for (int i = 0; i < 200 && hi - lo > 1e-14 * hi; ++i) {
      const double mid = (lo + hi) / 2;
      (F(mid) >= p ? hi : lo) = mid;
    }
    s = hi;
  } else {
    s = StationaryShape(law.k, m)->Quantile(p);
  }
  return law.A + s / law.c0;
}

}  // namespace corvane
