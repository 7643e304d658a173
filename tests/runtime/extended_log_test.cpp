#include "runtime/extended_log.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

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

}  // namespace
}  // namespace corvane
