#include "analysis/bessel_table.h"

#include <gtest/gtest.h>

#include <boost/math/special_functions/bessel.hpp>
#include <cmath>
#include <limits>
#include <numbers>

namespace corvane {
namespace {

// The table against the library in extended precision (where I(x) e^-x stays in range to
// x = 11,000): the cells' middles are where a cubic errs most, so the grid steps across them at
// an odd spacing; near 0, at the split and deep in the asymptotic series' range.
TEST(BesselTableTest, AgreesWithTheLibraryOverTheWholeRange) {
  double worst = 0;
  for (double t = 0; t < kBesselSquareSplit; t += 0.00731) {
    const long double x = std::sqrt(static_cast<long double>(t));
    const TBesselPair b = BesselOfSquare(t);
    const long double i0 = boost::math::cyl_bessel_i(0, x);
    const long double i1_x = t > 0 ? boost::math::cyl_bessel_i(1, x) / x : 0.5L;
    worst = std::max({worst, static_cast<double>(std::fabs(b.i0 / i0 - 1)),
                      static_cast<double>(std::fabs(b.i1 / i1_x - 1))});
  }
  EXPECT_LT(worst, 5e-14);
  worst = 0;
  for (double x = kBesselSplit; x < 11000; x *= 1.00137) {
    const long double X = x;
    const long double scale = std::exp(-X) * std::sqrt(X);
    const TBesselPair b = ScaledBessel(x);
    worst =
        std::max({worst, static_cast<double>(std::fabs(b.i0 / (boost::math::cyl_bessel_i(0, X) * scale) - 1)),
                  static_cast<double>(std::fabs(b.i1 / (boost::math::cyl_bessel_i(1, X) * scale) - 1))});
  }
  EXPECT_LT(worst, 5e-14);
  // Both tend to 1/sqrt(2 pi) as x grows without bound.
  const TBesselPair limit = ScaledBessel(std::numeric_limits<double>::infinity());
  EXPECT_DOUBLE_EQ(limit.i0, 1 / std::sqrt(2 * std::numbers::pi));
  EXPECT_DOUBLE_EQ(limit.i1, 1 / std::sqrt(2 * std::numbers::pi));
}

}  // namespace
}  // namespace corvane
