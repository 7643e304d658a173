#include "runtime/extended_log.h"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace corvane {
namespace {

// Distance in units of the last extended place of the reference.
long double UlpDistance(long double value, long double reference) {
  const long double ulp = std::ldexp(1.0L, std::ilogb(reference) - 63);
  return std::fabs(value - reference) / ulp;
}

TEST(ExtendedLogTest, PowersOfTwoAndOneAreExactlyRounded) {
  EXPECT_EQ(ExtendedLog(1.0L), 0.0L);
  for (int k : {-16382, -32, -2, -1, 1, 2, 1000, 16383})
    EXPECT_EQ(ExtendedLog(std::ldexp(1.0L, k)), std::log(std::ldexp(1.0L, k))) << "2^" << k;
  // The worked example's distraction: -ln 0.25 * 2 stored to double.
  EXPECT_EQ(static_cast<double>(0.0L - ExtendedLog(0.25L) * 2.0L), 2.772588722239781);
}

TEST(ExtendedLogTest, KeepsRelativePrecisionNextToOne) {
  for (int k : {12, 32, 40, 63}) {
    const long double above = 1.0L + std::ldexp(1.0L, -k);
    const long double below = 1.0L - std::ldexp(1.0L, -k);
    EXPECT_LE(UlpDistance(ExtendedLog(above), std::log1p(std::ldexp(1.0L, -k))), 1.0L) << k;
    EXPECT_LE(UlpDistance(ExtendedLog(below), std::log1p(-std::ldexp(1.0L, -k))), 1.0L) << k;
  }
  // The largest draw of the generator, 1 - 2^-32.
  EXPECT_LT(ExtendedLog(1.0L - 0x1p-32L), 0.0L);
}

TEST(ExtendedLogTest, AgreesWithTheLibraryOverTheGeneratorsDrawsAndWideRanges) {
  std::uint32_t seed = 1;
  int double_mismatches = 0;
  constexpr int kSamples = 200000;
  for (int i = 0; i < kSamples; ++i) {
    seed = seed * 134775813u + 1u;
    const long double draw = static_cast<long double>(seed) * 0x1p-32L;
    if (draw == 0.0L)
      continue;
    const long double reference = std::log(draw);
    ASSERT_LE(UlpDistance(ExtendedLog(draw), reference), 2.0L) << static_cast<double>(draw);
    if (static_cast<double>(ExtendedLog(draw)) != static_cast<double>(reference))
      ++double_mismatches;

    // Every table point and both halves of the mantissa range, over many binary exponents.
    const long double wide = std::ldexp(1.0L + static_cast<long double>(seed) * 0x1p-32L, i % 4001 - 2000);
    ASSERT_LE(UlpDistance(ExtendedLog(wide), std::log(wide)), 2.0L) << static_cast<double>(wide);
  }
  // Stored to double the two logarithms differ only where one of them sits next to a halfway point.
  EXPECT_LT(double_mismatches, kSamples / 500);
}

TEST(ExtendedLogTest, SpecialArgumentsBehaveAsTheLibrarysLogarithm) {
  constexpr long double kInf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(ExtendedLog(0.0L), -kInf);
  EXPECT_EQ(ExtendedLog(-0.0L), -kInf);
  EXPECT_EQ(ExtendedLog(kInf), kInf);
  EXPECT_TRUE(std::isnan(ExtendedLog(-1.0L)));
  EXPECT_TRUE(std::isnan(ExtendedLog(std::numeric_limits<long double>::quiet_NaN())));
  const long double denormal = std::numeric_limits<long double>::denorm_min() * 12345;
  EXPECT_EQ(ExtendedLog(denormal), std::log(denormal));
}

// The generator's draws k * 2^-32 taken from the seed: every count of leading zero bits, both
// halves of the mantissa range, and the seeds the generator runs through.
TEST(ExtendedLogTest, LogOfFractionIsExtendedLogOverTheGeneratorsWholeRange) {
  std::mt19937 random(5);
  const auto expect_same = [](std::uint32_t k) {
    ASSERT_EQ(LogOfFraction(k), ExtendedLog(static_cast<long double>(k) * 0x1p-32L)) << k;
  };
  for (int zeros = 0; zeros < 32; ++zeros) {
    const std::uint32_t top = 0x80000000u >> zeros;
    for (std::uint32_t k : {top, top | (top - 1), top | (top >> 1), top | (top >> 2) | (top >> 4)})
      ASSERT_NO_FATAL_FAILURE(expect_same(k));
    for (int i = 0; i < 2000; ++i)
      ASSERT_NO_FATAL_FAILURE(expect_same(top | (static_cast<std::uint32_t>(random()) & (top - 1))));
  }
  for (std::uint32_t seed = 1, i = 0; i < 100000; ++i) {
    seed = seed * 134775813u + 1u;
    if (seed != 0) {
      ASSERT_NO_FATAL_FAILURE(expect_same(seed));
    }
  }
}

// The power's variant, its series tail in double, stays within about a unit of the true logarithm
// (relative to it), also next to 1 where the whole logarithm is the series.
TEST(ExtendedLogTest, PartsForThePowerKeepTheRelativePrecision) {
  const auto expect_precise = [](std::uint64_t mantissa, int exponent) {
    const long double x = std::ldexp(static_cast<long double>(mantissa), exponent - 63);
    const TLogParts parts = ExtendedLogPartsForPower(mantissa, exponent);
    const __float128 truth = logq(static_cast<__float128>(x));
    const __float128 sum = static_cast<__float128>(parts.head) + static_cast<__float128>(parts.tail);
    const double error = truth == 0 ? static_cast<double>(sum) : static_cast<double>((sum - truth) / truth);
    ASSERT_LT(std::fabs(error), 0x1p-62) << static_cast<double>(x);
  };
  std::mt19937_64 random(11);
  for (int i = 0; i < 50000; ++i)
    ASSERT_NO_FATAL_FAILURE(
        expect_precise(random() | (std::uint64_t{1} << 63), static_cast<int>(random() % 64) - 40));
  for (int k = 1; k < 64; ++k) {  // 1 + 2^-k and 1 - 2^-k
    ASSERT_NO_FATAL_FAILURE(expect_precise((std::uint64_t{1} << 63) | (std::uint64_t{1} << (63 - k)), 0));
    ASSERT_NO_FATAL_FAILURE(expect_precise(0 - (std::uint64_t{1} << (64 - k)), -1));
  }
  ASSERT_NO_FATAL_FAILURE(expect_precise(std::uint64_t{1} << 63, 0));  // ln 1 = 0 exactly
}

}  // namespace
}  // namespace corvane
