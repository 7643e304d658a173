#include "runtime/power.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/errors.h"
#include "runtime/float_checks.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

TEST(PowerTest, ZeroExponentAndZeroBaseRulesComeFirst) {
  EXPECT_EQ(Power(0.0L, 0.0L), 1.0L);
  EXPECT_EQ(Power(std::numeric_limits<long double>::quiet_NaN(), 0.0L), 1.0L);
  EXPECT_EQ(Power(-3.0L, -0.0L), 1.0L);
  EXPECT_EQ(Power(0.0L, 0.5L), 0.0L);  // no logarithm of 0 is taken
  EXPECT_EQ(Power(0.0L, 3.0L), 0.0L);
  EXPECT_EQ(Power(0.0L, std::numeric_limits<long double>::infinity()), 0.0L);
}

TEST(PowerTest, IntegralExponentsMultiplyExactly) {
  EXPECT_EQ(Power(0.8L, 2.0L), 0.8L * 0.8L);  // the simulation's default exponent a1/c1 = 2
  EXPECT_EQ(Power(2.0L, 10.0L), 1024.0L);
  EXPECT_EQ(Power(-2.0L, 3.0L), -8.0L);
  EXPECT_EQ(Power(2.0L, -2.0L), 0.25L);
  EXPECT_EQ(Power(10.0L, -1.0L), 1.0L / 10.0L);
  EXPECT_EQ(Power(3.0L, 39.0L), 4052555153018976267.0L);  // 3^39 < 2^64: exact in extended
  EXPECT_EQ(Power(2.0L, 16383.0L), std::ldexp(1.0L, 16383));
}

TEST(PowerTest, IntegralRuleEndsAtTheLargest32BitExponent) {
  // A negative base tells the rules apart: the integer rule keeps the sign, the logarithm fails.
  EXPECT_EQ(Power(-1.0L, 2147483647.0L), -1.0L);
  EXPECT_EQ(Power(-1.0L, -2147483647.0L), -1.0L);
  EXPECT_THROW(Power(-1.0L, 2147483648.0L), EInvalidOp);
  EXPECT_EQ(Power(1.0L, 2147483648.0L), 1.0L);
}

TEST(PowerTest, FractionalExponentsUseTheLogarithm) {
  EXPECT_NEAR(static_cast<double>(Power(2.0L, 0.5L)), std::sqrt(2.0), 1e-15);
  EXPECT_NEAR(static_cast<double>(Power(0.25L, 1.5L)), 0.125, 1e-17);
  EXPECT_NEAR(static_cast<double>(Power(10.0L, -2.5L)), 0.0031622776601683794, 1e-18);
}

TEST(PowerTest, UnusedSquareDoesNotOverflow) {
  TFloatFaultCheck check;
  EXPECT_TRUE(std::isfinite(Power(1e2000L, 2.0L)));  // squaring once more would reach 1e8000
  EXPECT_NO_THROW(check.Check());
}

TEST(PowerTest, UnderflowIsQuiet) {
  EXPECT_EQ(Power(0.5L, 20000.0L), 0.0L);
  EXPECT_EQ(Power(0.5L, 20000.5L), 0.0L);
}

TEST(PowerTest, FaultsRaiseTheirErrors) {
  EXPECT_THROW(Power(0.0L, -1.0L), EZeroDivide);
  EXPECT_THROW(Power(0.0L, -0.5L), EZeroDivide);
  EXPECT_THROW(Power(-8.0L, 1.0L / 3.0L), EInvalidOp);
  EXPECT_THROW(Power(2.0L, 16384.0L), EOverflow);
  EXPECT_THROW(Power(0.5L, -16384.0L), EOverflow);  // reciprocal of 2^-16384
  EXPECT_THROW(Power(10.0L, 5000.5L), EOverflow);
  EXPECT_THROW(Power(2.0L, std::numeric_limits<long double>::quiet_NaN()), EInvalidOp);
  EXPECT_THROW_MSG(Power(0.0L, -2.0L), EZeroDivide, "Floating point division by zero");
}

}  // namespace
}  // namespace corvane
