#include "simulation/parameter_set.h"

#include <gtest/gtest.h>

#include <limits>

#include "reaction_support.h"
#include "runtime/errors.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

TParameterSet WithRatio(double A, double a1, double a0) {
  TParameterSet P = DefaultParameters();
  P.A = A;
  P.a1 = a1;
  P.a0 = a0;
  return P;
}

TEST(DerivedValuesTest, StationaryMeanAndAxisMaxOfTheDefaults) {
  EXPECT_EQ(StationaryMean(DefaultParameters()), 10.0);
  EXPECT_EQ(AxisMax(DefaultParameters()), 20.0);
  EXPECT_EQ(StationaryMean(WithRatio(4, 1, 8)), 4.5);
}

TEST(DerivedValuesTest, IntermediatesKeepTheExtendedRange) {
  // a1 / a0 = 1e600 has no double, but times A = 1e-300 it is 1e300 again.
  const TParameterSet P = WithRatio(1e-300, 1e300, 1e-300);
  EXPECT_DOUBLE_EQ(StationaryMean(P), 1e300);
  EXPECT_DOUBLE_EQ(AxisMax(P), 2e300);
}

TEST(DerivedValuesTest, ValuesBeyondTheDoubleRangeOverflow) {
  const TParameterSet huge = WithRatio(1e308, 10, 1);
  EXPECT_THROW_MSG(StationaryMean(huge), EOverflow, "Floating point overflow");
  EXPECT_THROW(AxisMax(huge), EOverflow);

  // Both sides of the boundary: the mean fits exactly at DBL_MAX, twice that does not.
  constexpr double kMax = std::numeric_limits<double>::max();
  const TParameterSet at_limit = WithRatio(kMax / 2, 1, 1);
  EXPECT_EQ(StationaryMean(at_limit), kMax);
  EXPECT_THROW(AxisMax(at_limit), EOverflow);
  EXPECT_EQ(AxisMax(WithRatio(kMax / 4, 1, 1)), kMax);
}

}  // namespace
}  // namespace corvane
