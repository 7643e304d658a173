// The stationary law of one reaction time: the reactions' marginal distribution in the stationary
// series, as a density, a distribution function and quantiles.
//
//   TStationaryLaw{A, b, k, c0} --m = b c0 A--> shape of S = c0 (RT - A), a law in (k, m) alone
//        k = +inf (or k >= kIndependentLimitK): the independent limit, in closed form
//            (atom e^-m, density e^(-m-s) sqrt(m/s) I1(2 sqrt(m s)), Poisson-Gamma sums)
//        finite k: a tabulated shape (stationary_shape.h), computed once per (k, m) and kept in
//            a bounded, thread-safe cache (StationaryShapeCache)
//   shape --shift A, scale 1/c0--> StationaryAtom, StationaryDensity, StationaryDistribution,
//                                  StationaryQuantile
//
// The law: the atom P(RT = A) = e^(-m) and a continuous part on (A, inf) of mass 1 - e^(-m);
// mean A + m/c0, variance 2 (k + 1)(1 - e^(-m/(k+1)))/c0^2.
// Accuracy: for finite k see stationary_shape_solver.h (1e-4 relative in the mean and variance
// for k >= 0.5, a few 1e-4 to 2e-3 below; the distribution function matches 1e7 simulated
// reactions of the four test sets at 20 points within 4 batch-means standard errors); the
// independent limit is exact to about 1e-13 (its I0 and I1 read from a table of the library's values,
// bessel_table.h).
// Between kIndependentLimitK and infinity the limit's relative error in the variance is about
// m/(2k): 2.5e-3 at m = 50 and k = 1e4.
#pragma once

#include <limits>
#include <span>
#include <vector>

#include "runtime/errors.h"

namespace corvane {

// Thrown by every function below when a parameter is not a number greater than 0 (k may be +inf).
CORVANE_FIXED_EXCEPTION(EStationaryLawRange, Exception, "The law's parameters must be positive numbers");
// Thrown for finite k (below kIndependentLimitK) when m = b c0 A exceeds kLargestShapeM: the
// numerical shape's cost grows as m^2 (seconds at m = 100).
CORVANE_FIXED_EXCEPTION(EStationaryShapeRange, Exception, "The law's b c0 A is too large for its shape");
// Thrown by StationaryQuantile for p outside [0, 1) or NaN.
CORVANE_FIXED_EXCEPTION(EStationaryProbabilityRange, Exception, "The probability must lie in [0, 1)");

// From this k on the law is the independent limit's.
inline constexpr double kIndependentLimitK = 1e4;
// Finite k: m above this throws EStationaryShapeRange; m below kSmallestShapeM takes the
// independent limit's form, for any k (a distraction in so short a work time is almost surely
// the only one, and its Exp(1) addition is the same for every k: relative error of order m).
inline constexpr double kLargestShapeM = 100;
inline constexpr double kSmallestShapeM = 0.01;

// The stationary law of one reaction time; k = +infinity is the independent limit.
struct TStationaryLaw {
  double A = 1;
  double b = 1;
  double k = 1;
  double c0 = 1;
};

inline constexpr double kInfiniteK = std::numeric_limits<double>::infinity();

// m = b c0 A, the mean number of distractions in a reaction.
double StationaryDistractionMean(const TStationaryLaw& law);

double StationaryAtom(const TStationaryLaw& law);  // e^(-b c0 A)
// Density of the continuous part at each rt (0 at and below A); out.size() == rt.size().
void StationaryDensity(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out);
double StationaryDensity(const TStationaryLaw& law, double rt);
// P(RT <= rt), the atom included (0 below A, the atom at A).
double StationaryDistribution(const TStationaryLaw& law, double rt);
// The smallest rt with P(RT <= rt) >= p (A for p <= atom); p in [0, 1).
double StationaryQuantile(const TStationaryLaw& law, double p);

// The independent limit in the scaled variable s = c0 (RT - A), exact: density of the continuous
// part (0 for s <= 0) and P(S <= s) with the atom e^(-m).
double IndependentShapeDensity(double m, double s);
double IndependentShapeDistribution(double m, double s);
// The same distribution function at one m for many s: what depends on m alone found once.
class TIndependentDistribution {
 public:
  explicit TIndependentDistribution(double m);
  double operator()(double s) const;  // IndependentShapeDistribution(m, s)

 private:
  double atom_, scale_ = 1;
  long low_ = 1;
  std::vector<double> weights_;  // Pois(j; m) from j = low_, by their ratios
};
// The density, and its log's slopes: in s with m held, and in m with s held (0 where s <= 0):
// -1 - 1/s + sqrt(m/s) I0(x)/I1(x) and -1 + sqrt(s/m) I0(x)/I1(x), x = 2 sqrt(m s).
double IndependentShapeDensity(double m, double s, double& in_s, double& in_m);

}  // namespace corvane
