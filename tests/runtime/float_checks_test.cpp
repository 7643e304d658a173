#include "runtime/float_checks.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "runtime/errors.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

template <typename Error>
void ExpectStoreFails(long double value, const char* message) {
  SCOPED_TRACE(static_cast<double>(value));
  EXPECT_THROW_MSG(StoreDouble(value), Error, message);
}

TEST(StoreDoubleTest, OverflowsOnlyWhereTheDoubleWouldRoundToInfinity) {
  ExpectStoreFails<EOverflow>(1e400L, "Floating point overflow");
  ExpectStoreFails<EOverflow>(-1e400L, "Floating point overflow");
  ExpectStoreFails<EOverflow>(std::numeric_limits<long double>::infinity(), "Floating point overflow");
  const long double max = DBL_MAX;
  EXPECT_EQ(StoreDouble(max), DBL_MAX);
  EXPECT_EQ(StoreDouble(-max), -DBL_MAX);
  EXPECT_EQ(StoreDouble(max + 0x1p969L), DBL_MAX);  // below the halfway point: rounds down
  ExpectStoreFails<EOverflow>(max + 0x1p970L, "Floating point overflow");  // halfway: rounds to even, up
}

TEST(StoreDoubleTest, TinyValuesBecomeDenormalOrZeroWithoutReport) {
  EXPECT_EQ(StoreDouble(1e-400L), 0.0);
  EXPECT_EQ(StoreDouble(-1e-400L), 0.0);
  const double denormal = StoreDouble(1e-310L);
  EXPECT_EQ(std::fpclassify(denormal), FP_SUBNORMAL);
  EXPECT_EQ(StoreDouble(0.1L), 0.1);
}

TEST(StoreDoubleTest, NanIsAnInvalidOperation) {
  ExpectStoreFails<EInvalidOp>(std::numeric_limits<long double>::quiet_NaN(),
                               "Invalid floating point operation");
}

TEST(FloatFaultCheckTest, TurnsEachWatchedFlagIntoItsErrorWithInvalidFirst) {
  volatile long double zero = 0, big = 1e4900L;
  {
    TFloatFaultCheck check;
    EXPECT_NO_THROW(check.Check());
  }
  {
    TFloatFaultCheck check;
    volatile long double r = 1 / zero;
    (void)r;
    EXPECT_THROW(check.Check(), EZeroDivide);
    EXPECT_NO_THROW(check.Check());  // the flag was consumed with the report
  }
  {
    TFloatFaultCheck check;
    volatile long double r = big * big;
    (void)r;
    EXPECT_THROW(check.Check(), EOverflow);
  }
  {
    TFloatFaultCheck check;
    volatile long double r = 1 / zero;
    volatile long double s = zero / zero;
    (void)r;
    (void)s;
    EXPECT_THROW(check.Check(), EInvalidOp);
  }
}

TEST(FloatFaultCheckTest, IgnoresFlagsRaisedBeforeItAndUnwatchedOnes) {
  volatile long double zero = 0, tiny = 1e-4900L;
  volatile long double r = 1 / zero;
  TFloatFaultCheck check;                // the earlier division is not this computation's fault
  volatile long double s = tiny * tiny;  // underflow and inexact are not reported
  (void)r;
  (void)s;
  EXPECT_NO_THROW(check.Check());
}

}  // namespace
}  // namespace corvane
