#include "analysis/stationary_law.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/math/distributions/gamma.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <limits>
#include <vector>

#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The independent limit's density as the Poisson-Gamma sum itself, in logs.
double PoissonGammaDensity(double m, double s) {
  double sum = 0;
  for (int j = 1; j < 4000; ++j) {
    const double log_w = j * std::log(m) - m - std::lgamma(j + 1.0);
    const double log_g = (j - 1) * std::log(s) - s - std::lgamma(static_cast<double>(j));
    sum += std::exp(log_w + log_g);
  }
  return sum;
}

// Moments of the continuous part of a law by the density, on a fine midpoint rule over the body.
struct TMoments {
  double Mass = 0, Mean = 0, Variance = 0;
};
TMoments MomentsOf(const TStationaryLaw& law, double step, double end) {
  TMoments r;
  double m2 = 0;
  const double atom = StationaryAtom(law);
  for (double x = law.A + step / 2; x < end; x += step) {
    const double f = StationaryDensity(law, x) * step;
    r.Mass += f;
    r.Mean += x * f;
    m2 += x * x * f;
  }
  r.Mean += atom * law.A;
  m2 += atom * law.A * law.A;
  r.Variance = m2 - r.Mean * r.Mean;
  return r;
}

double ClosedFormVariance(const TStationaryLaw& law) {
  const double m = law.b * law.c0 * law.A;
  if (std::isinf(law.k))
    return 2 * m / (law.c0 * law.c0);
  return 2 * (law.k + 1) * -std::expm1(-m / (law.k + 1)) / (law.c0 * law.c0);
}

TEST(StationaryLawTest, ParametersOutOfRangeThrow) {
  for (const TStationaryLaw& law :
       {TStationaryLaw{0, 1, 1, 1}, TStationaryLaw{1, -1, 1, 1}, TStationaryLaw{1, 1, 0, 1},
        TStationaryLaw{1, 1, 1, kNaN}, TStationaryLaw{kNaN, 1, 1, 1}, TStationaryLaw{1, 1, kNaN, 1},
        TStationaryLaw{1, 1, -kInfiniteK, 1},
        TStationaryLaw{std::numeric_limits<double>::infinity(), 1, 1, 1}}) {
    const std::string message = "The law's parameters must be positive numbers";
    EXPECT_THROW_MSG(StationaryAtom(law), EStationaryLawRange, message);
    EXPECT_THROW_MSG(StationaryDensity(law, 2.0), EStationaryLawRange, message);
    EXPECT_THROW_MSG(StationaryDistribution(law, 2.0), EStationaryLawRange, message);
    EXPECT_THROW_MSG(StationaryQuantile(law, 0.5), EStationaryLawRange, message);
  }
  // b c0 A overflows although each is finite.
  EXPECT_THROW_MSG(StationaryAtom(TStationaryLaw{1e200, 1e200, 1, 1}), EStationaryLawRange,
                   "The law's parameters must be positive numbers");
  // Finite k: m above kLargestShapeM has no shape; the independent limit has no such bound.
  const TStationaryLaw large{10, 1.01, 5, kLargestShapeM / 10};
  EXPECT_THROW_MSG(StationaryDensity(large, 20.0), EStationaryShapeRange,
                   "The law's b c0 A is too large for its shape");
  EXPECT_THROW_MSG(StationaryQuantile(large, 0.5), EStationaryShapeRange,
                   "The law's b c0 A is too large for its shape");
  EXPECT_GT(StationaryDensity(TStationaryLaw{10, 1.01, kInfiniteK, kLargestShapeM / 10}, 20.0), 0);
  for (double p : {-0.1, 1.0, kNaN})
    EXPECT_THROW_MSG(StationaryQuantile(TStationaryLaw{}, p), EStationaryProbabilityRange,
                     "The probability must lie in [0, 1)");
}

TEST(IndependentLimitTest, DensityIsThePoissonGammaSum) {
  for (double m : {0.05, 1.0, 14.4, 50.0})
    for (double s : {1e-6, 0.1, 1.0, 10.0, 60.0}) {
      const double expected = PoissonGammaDensity(m, s);
      EXPECT_NEAR(IndependentShapeDensity(m, s), expected, 1e-12 * expected + 1e-300) << m << " " << s;
    }
  EXPECT_EQ(IndependentShapeDensity(2, 0), 0);
  EXPECT_EQ(IndependentShapeDensity(2, -1), 0);
}

TEST(IndependentLimitTest, LargeArgumentsNeitherOverflowNorLoseTheBody) {
  // 2 sqrt(m s) = 4000: I1 alone would overflow; the density is near its mode.
  const double m = 2000, s = 2000;
  const double f = IndependentShapeDensity(m, s);
  EXPECT_TRUE(std::isfinite(f));
  EXPECT_NEAR(f, PoissonGammaDensity(m, s), 1e-9 * f);
  // Near the mean the density is about the normal's with variance 2m.
  EXPECT_NEAR(f, 1 / std::sqrt(2 * M_PI * 2 * m), 0.01 * f);
}

// The overload with the log density's slopes (the climb's scores at k = inf) gives the same
// density, on both sides of where it leaves the unscaled Bessel function for the scaled one, and
// slopes equal to the log density's differences.
TEST(IndependentLimitTest, SlopesAreTheLogDensitysOnBothSidesOfTheScaling) {
  for (const double m : {2.5, 14.4, 345.0, 2000.0}) {
    for (const double s : {0.05, 3.0, 340.0, 360.0, 2000.0}) {
      double in_s = 0, in_m = 0;
      const double f = IndependentShapeDensity(m, s, in_s, in_m);
      EXPECT_NEAR(f, IndependentShapeDensity(m, s), 1e-12 * f + 1e-300) << m << " " << s;
      if (!(f > 1e-250))
        continue;  // no log to difference
      const double h = 1e-6;
      const auto log_f = [](double mm, double ss) { return std::log(IndependentShapeDensity(mm, ss)); };
      EXPECT_NEAR(in_s, (log_f(m, s * (1 + h)) - log_f(m, s * (1 - h))) / (2 * h * s),
                  1e-5 * (1 + std::fabs(in_s)))
          << m << " " << s;
      EXPECT_NEAR(in_m, (log_f(m * (1 + h), s) - log_f(m * (1 - h), s)) / (2 * h * m),
                  1e-5 * (1 + std::fabs(in_m)))
          << m << " " << s;
    }
  }
}

// The distribution function's recurrences against the Poisson-Gamma sum term by term, each
// incomplete gamma from the library: over m from rare distractions to the lattice's largest, and
// s from deep in the left tail (terms that underflow) to far beyond the mass.
TEST(IndependentLimitTest, DistributionEqualsTheSumOfIncompleteGammas) {
  for (const double m : {1e-5, 0.3, 1.0, 2.5, 14.4, 50.0, 300.0, 1000.0}) {
    for (const double z : {-30.0, -6.0, -2.0, -0.5, 0.0, 0.7, 2.0, 5.0, 40.0}) {
      const double s = std::max(1e-9, m + z * std::sqrt(2 * m) + (z > 0 ? z : 0.0));
      // In extended precision: the weights' exponents reach 7,000, whose rounding in double
      // would leave 1e-12.
      const long double M = m;
      long double direct = std::exp(-M);
      for (long double j = 1; j < M + 60 * std::sqrt(M) + 60; ++j) {
        const long double w = std::exp(j * std::log(M) - M - std::lgamma(j + 1));
        direct += w * boost::math::gamma_p(j, static_cast<long double>(s));
      }
      EXPECT_NEAR(IndependentShapeDistribution(m, s), static_cast<double>(std::min(direct, 1.0L)), 1e-13)
          << m << " " << s;
    }
  }
}

TEST(IndependentLimitTest, DistributionIsTheIntegralOfTheDensity) {
  for (double m : {0.3, 2.5, 14.4}) {
    double integral = std::exp(-m);
    double s = 0;
    const double step = 1e-3;
    for (double next : {0.5, 2.0, 7.0, 20.0}) {
      for (; s + step / 2 < next; s += step) {
        // Simpson on each step.
        const double a = std::max(s, 1e-300), b = s + step;  // the density's limit at 0+
        integral += step / 6 *
                    (IndependentShapeDensity(m, a) + 4 * IndependentShapeDensity(m, (a + b) / 2) +
                     IndependentShapeDensity(m, b));
      }
      EXPECT_NEAR(IndependentShapeDistribution(m, s), integral, 2e-9) << m << " " << s;
    }
  }
  EXPECT_NEAR(IndependentShapeDistribution(50, 1e4), 1, 1e-14);
  EXPECT_DOUBLE_EQ(IndependentShapeDistribution(2, 0), std::exp(-2.0));
}

TEST(StationaryLawTest, MeanAndVarianceEqualTheClosedForm) {
  for (const TStationaryLaw& law :
       {TStationaryLaw{5, 1, kInfiniteK, 0.5}, TStationaryLaw{0.3, 1.2, 1e6, 40},
        TStationaryLaw{5, 1, 0.5, 0.5}, TStationaryLaw{3, 0.4, 1.5, 0.7}, TStationaryLaw{0.3, 1.2, 20, 40}}) {
    const double m = law.b * law.c0 * law.A;
    const double sd = std::sqrt(ClosedFormVariance(law));
    const TMoments moments = MomentsOf(law, sd / 2000, law.A + (m + 40 * (1 + std::sqrt(m))) / law.c0);
    // The independent limit stands for k = 1e6 within m/(2k) relative in the variance.
    const double tolerance = std::isinf(law.k) ? 1e-6 : law.k >= kIndependentLimitK ? 1e-5 : 3e-4;
    EXPECT_NEAR(moments.Mass, 1 - StationaryAtom(law), tolerance * 1e-1) << law.k;
    EXPECT_NEAR(moments.Mean, law.A + m / law.c0, tolerance * (law.A + m / law.c0)) << law.k;
    EXPECT_NEAR(moments.Variance, ClosedFormVariance(law), tolerance * ClosedFormVariance(law)) << law.k;
  }
}

TEST(StationaryLawTest, DistributionAndQuantileInvertEachOther) {
  for (const TStationaryLaw& law : {TStationaryLaw{5, 1, kInfiniteK, 0.5}, TStationaryLaw{5, 1, 0.5, 0.5},
                                    TStationaryLaw{0.3, 1.2, 20, 40}}) {
    const double atom = StationaryAtom(law);
    EXPECT_EQ(StationaryDistribution(law, law.A - 1e-9), 0);
    EXPECT_DOUBLE_EQ(StationaryDistribution(law, law.A), atom);
    EXPECT_EQ(StationaryQuantile(law, atom / 2), law.A);
    EXPECT_EQ(StationaryQuantile(law, 0), law.A);
    double previous = atom;
    for (double p = atom + 0.01; p < 0.999; p += 0.01) {
      const double x = StationaryQuantile(law, p);
      EXPECT_NEAR(StationaryDistribution(law, x), p, 1e-10) << law.k << " " << p;
      EXPECT_GT(x, law.A);
      const double F = StationaryDistribution(law, x);
      EXPECT_GE(F, previous);
      previous = F;
    }
  }
}

// Below kSmallestShapeM every finite k takes the independent limit's form: a near-sure atom and,
// rarely, one Exp(c0) distraction. It is within O(m) of a shape solved just above the bound.
TEST(StationaryLawTest, VerySmallMTakesTheIndependentForm) {
  const TStationaryLaw tiny{1, 0.5 * kSmallestShapeM, 2, 1};
  EXPECT_EQ(StationaryDistribution(tiny, 1.7), IndependentShapeDistribution(0.5 * kSmallestShapeM, 0.7));
  const TStationaryLaw above{1, 1.2 * kSmallestShapeM, 2, 1};
  const TStationaryLaw limit{1, 1.2 * kSmallestShapeM, kInfiniteK, 1};
  for (double rt : {1.2, 2.0, 4.0}) {
    const double f = StationaryDensity(limit, rt);
    EXPECT_NEAR(StationaryDensity(above, rt), f, 0.02 * f) << rt;
  }
}

TEST(StationaryLawTest, DensityIsZeroAtAndBelowA) {
  for (double k : {kInfiniteK, 2.0}) {
    const TStationaryLaw law{1, 1, k, 1};
    const std::vector<double> rt{0.5, 1.0, 1.5, 3.0};
    std::vector<double> out(rt.size(), -1);
    StationaryDensity(law, rt, out);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 0);
    EXPECT_GT(out[2], 0);
    EXPECT_EQ(out[2], StationaryDensity(law, 1.5));
    EXPECT_GT(out[3], 0);
  }
}

}  // namespace
}  // namespace corvane
