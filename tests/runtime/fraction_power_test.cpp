// The per-exponent table of the generator fractions' power against the general power (the kernels'
// route, half a unit) and the true value, and the reading of a fraction's seed from its bits.
#include "runtime/fraction_power.h"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "runtime/power.h"

namespace corvane {
namespace {

long double UlpDistance(long double value, long double reference) {
  const long double ulp =
      std::max(std::ldexp(1.0L, std::ilogb(reference) - 63), std::numeric_limits<long double>::denorm_min());
  return std::fabs(value - reference) / ulp;
}

__float128 QuadPower(std::uint32_t k, long double exponent) {
  return powq(static_cast<__float128>(static_cast<long double>(k) * 0x1p-32L),
              static_cast<__float128>(exponent));
}

long double TruePower(std::uint32_t k, long double exponent) {
  return static_cast<long double>(QuadPower(k, exponent));
}

TEST(FractionPowerTest, ServesFractionalExponentsUpToItsLimit) {
  EXPECT_TRUE(TFractionPower::Serves(10.0L / 3.0L));
  EXPECT_TRUE(TFractionPower::Serves(1e-300L));
  EXPECT_TRUE(TFractionPower::Serves(4.5L));
  EXPECT_TRUE(TFractionPower::Serves(0x1p62L + 0.5L));
  for (long double integer : {1.0L, 2.0L, 3.0L, 5.0L, 4096.0L})  // the integer rule multiplies
    EXPECT_FALSE(TFractionPower::Serves(integer)) << static_cast<double>(integer);
  EXPECT_FALSE(TFractionPower::Serves(0x1p63L));  // no fraction bits left
  EXPECT_FALSE(TFractionPower::Serves(std::numeric_limits<long double>::infinity()));
  EXPECT_FALSE(TFractionPower::Serves(0.0L));
  EXPECT_FALSE(TFractionPower::Serves(-0.5L));
  EXPECT_FALSE(TFractionPower::Serves(std::numeric_limits<long double>::quiet_NaN()));
}

// Every binary exponent of the draws, every table point, and the generator's own sequence.
TEST(FractionPowerTest, AgreesWithTheGeneralPowerAndTheTrueValueOverTheDraws) {
  for (long double exponent : {10.0L / 3.0L, 1.0L / 0.3L, 0.3L / 0.7L, 4.0L / 3.0L, 0.5L, 1e-9L, 3.875L,
                               3.875L + 0x1p-20L, 5.0L / 0.3L, 30.999L}) {
    const TFractionPower table(exponent);
    const TPowerFunction general(exponent);
    EXPECT_EQ(table(0), 0.0L);
    std::uint32_t seed = 1;
    for (int i = 0; i < 15000; ++i) {
      seed = seed * 134775813u + 1u;
      // Alternately the draw itself and the draw shifted to a small binary exponent.
      const std::uint32_t k = (i & 1) ? seed : std::max(1u, seed >> (i % 32));
      const long double ours = table(k);
      ASSERT_LE(UlpDistance(ours, general.OfFraction(k)), 1.0L)
          << static_cast<double>(exponent) << " k " << k;
      ASSERT_LE(UlpDistance(ours, TruePower(k, exponent)), 1.5L)
          << static_cast<double>(exponent) << " k " << k;
    }
    for (std::uint32_t k : {1u, 2u, 3u, 0x7FFFFFFFu, 0x80000000u, 0xB4000000u, 0xFFFFFFFFu})
      ASSERT_LE(UlpDistance(table(k), TruePower(k, exponent)), 1.5L) << k;
  }
}

// Above the series' limit the table holds exponents: the relative error grows with |e ln u| and e,
// but stays within a unit of 1's last extended place, so 1 - u^e, what the simulation takes, comes
// out as from the true power up to that unit.
TEST(FractionPowerTest, LargeExponentsKeepOneMinusThePowerExact) {
  for (long double exponent : {TFractionPower::kSeriesLimit + 0x1p-20L, 5.0L / 0.3L, 1.0L / 0.03L, 999.9L,
                               123456.7L, 1e15L + 0.5L, 0x1p62L + 0.5L}) {
    const TFractionPower table(exponent);
    EXPECT_EQ(table(0), 0.0L);
    std::uint32_t seed = 7;
    for (int i = 0; i < 20000; ++i) {
      seed = seed * 134775813u + 1u;
      // The draw itself, and one next to 1, where the power of a large exponent is not negligible.
      const std::uint32_t k = (i & 1) ? seed : 0xFFFFFFFFu - (seed >> (i % 32));
      const long double ours = table(k);
      const __float128 truth = QuadPower(k, exponent);
      const long double y = std::fabs(exponent * std::log(static_cast<long double>(k) * 0x1p-32L));
      if (y > 700) {
        ASSERT_EQ(ours, 0.0L) << static_cast<double>(exponent) << " k " << k;
        continue;
      }
      ASSERT_LE(UlpDistance(ours, static_cast<long double>(truth)), 4 + 3 * y + exponent / 128)
          << static_cast<double>(exponent) << " k " << k;
      ASSERT_LE(std::fabs(static_cast<long double>(ours - truth)), 0x1p-63L)
          << static_cast<double>(exponent) << " k " << k;
    }
  }
}

TEST(FractionPowerTest, FractionSeedReadsExactlyTheGeneratorsFractions) {
  EXPECT_EQ(FractionSeed(0.0L), 0u);
  EXPECT_EQ(FractionSeed(0.5L), 0x80000000u);
  EXPECT_EQ(FractionSeed(0x1p-32L), 1u);
  EXPECT_EQ(FractionSeed(1.0L - 0x1p-32L), 0xFFFFFFFFu);
  for (std::uint32_t seed = 1, i = 0; i < 1000; ++i) {
    seed = seed * 134775813u + 1u;
    ASSERT_EQ(FractionSeed(static_cast<long double>(seed) * 0x1p-32L), seed);
  }
  // Not a fraction k * 2^-32: finer bits, 1 and above, negatives, non-finite values.
  for (long double u :
       {0x1p-33L, 0.3L, 1.0L, 2.5L, -0.5L, -0.0L, std::numeric_limits<long double>::infinity(),
        std::numeric_limits<long double>::quiet_NaN()})
    EXPECT_EQ(FractionSeed(u), std::nullopt) << static_cast<double>(u);
}

}  // namespace
}  // namespace corvane
