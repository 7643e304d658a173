// The power's logarithm rule on the extended kernels, against the true value (quadruple precision,
// the compiler's runtime) and the library's exp(e ln U), the route the rule takes outside the
// kernels' range; and the generator-draw entry against the general one.
#include <gtest/gtest.h>
#include <quadmath.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "runtime/errors.h"
#include "runtime/extended_exp.h"
#include "runtime/power.h"

namespace corvane {
namespace {

// Distance in units of the last extended place of the reference (of a denormal below the normals).
long double UlpDistance(long double value, long double reference) {
  constexpr long double kSmallestUlp = std::numeric_limits<long double>::denorm_min();
  const long double ulp =
      reference == 0 ? kSmallestUlp : std::max(std::ldexp(1.0L, std::ilogb(reference) - 63), kSmallestUlp);
  return std::fabs(value - reference) / ulp;
}

long double TrueExp(long double high, long double low = 0) {
  return static_cast<long double>(expq(static_cast<__float128>(high) + static_cast<__float128>(low)));
}

long double TruePower(long double base, long double exponent) {
  return static_cast<long double>(powq(static_cast<__float128>(base), static_cast<__float128>(exponent)));
}

// Compared after rounding the true value to extended, so a faithful result may differ by one unit.
TEST(ExtendedExpTest, StaysWithinAUnitOfTheTrueValueOverItsWholeRange) {
  EXPECT_EQ(ExtendedExp(0.0L, 0.0L), 1.0L);
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> argument(-700.0, 700.0);
  for (int i = 0; i < 100000; ++i) {
    const long double high = argument(random) + std::ldexp(static_cast<long double>(random() >> 11), -70);
    ASSERT_LE(UlpDistance(ExtendedExp(high, 0.0L), TrueExp(high)), 1.0L) << static_cast<double>(high);
    const long double tiny = std::ldexp(high, -40);
    ASSERT_LE(UlpDistance(ExtendedExp(tiny, 0.0L), TrueExp(tiny)), 1.0L) << static_cast<double>(tiny);
    // The low part moves the result as exp(high) * (1 + low).
    const long double low = std::ldexp(high, -62);
    ASSERT_LE(UlpDistance(ExtendedExp(high, low), TrueExp(high, low)), 1.0L) << static_cast<double>(high);
  }
}

// The library's exp(e ln u) carries the roundings of ln u and of e ln u, and its exp rounds its
// reduction: up to about 1.5 |e ln u| units in the last place.
long double LibraryTolerance(long double base, long double exponent) {
  return 2.0L + 2.0L * std::fabs(exponent * std::log(base));
}

// Ours stays within a unit in the last place of the true power plus the part of the logarithm's
// own rounding (2^-64 relative) that e ln U magnifies, half the library's error; beyond the
// kernels' range it is the library's.
long double Tolerance(long double base, long double exponent) {
  const long double y = std::fabs(exponent * std::log(base));
  return y <= kExtendedExpLimit ? 1.0L + y : LibraryTolerance(base, exponent);
}

void ExpectKernelMatchesLibrary(long double exponent, std::uint32_t seed, int samples,
                                bool count_mismatches) {
  const TPowerFunction power(exponent);
  int double_mismatches = 0;
  for (int i = 0; i < samples; ++i) {
    seed = seed * 134775813u + 1u;
    const long double u = static_cast<long double>(seed) * 0x1p-32L;
    const long double truth = TruePower(u, exponent);
    if (!std::isfinite(truth)) {  // beyond the extended range
      EXPECT_THROW(power(u), EOverflow);
      EXPECT_THROW(power.OfFraction(seed), EOverflow);
      continue;
    }
    const long double ours = power(u);
    ASSERT_EQ(power.OfFraction(seed), ours) << "draw " << seed;  // the same value by both entries
    if (seed == 0)
      continue;
    const long double library = std::exp(exponent * std::log(u));
    ASSERT_LE(UlpDistance(ours, truth), Tolerance(u, exponent))
        << static_cast<double>(u) << " ^ " << static_cast<double>(exponent);
    ASSERT_LE(UlpDistance(library, truth), LibraryTolerance(u, exponent));
    if (static_cast<double>(ours) != static_cast<double>(library))
      ++double_mismatches;
  }
  // Stored to double the two differ only where one of them sits next to a halfway point.
  if (count_mismatches) {
    EXPECT_LT(double_mismatches, samples / 100) << static_cast<double>(exponent);
  }
}

TEST(PowerKernelTest, FractionalTinyAndHugeExponentsOverTheGeneratorsDraws) {
  for (long double exponent : {10.0L / 3.0L, 1.0L / 0.3L, 4.0L / 3.0L, 0.5L, 0.3L / 0.7L, 2.5L, -1.5L})
    ExpectKernelMatchesLibrary(exponent, 12345, 20000, true);
  // Tiny: U^e next to 1. Huge: e ln U leaves the kernels' range for the smaller draws, which then
  // take the library's route; elsewhere the library's own error there is near a double's unit.
  for (long double exponent : {1e-9L, 1e-300L, 31.7L, 150.5L, 1e6L + 0.5L, -1e5L - 0.25L})
    ExpectKernelMatchesLibrary(exponent, 777, 8000, false);
}

TEST(PowerKernelTest, WideBasesAndExponentsAcrossTheKernelsLimit) {
  std::mt19937_64 random(99);
  for (int i = 0; i < 100000; ++i) {
    const long double base = std::ldexp(1.0L + std::ldexp(static_cast<long double>(random()), -64),
                                        static_cast<int>(random() % 2001) - 1000);
    const long double exponent = std::ldexp(static_cast<long double>(random() >> 11), -53) * 2.5L - 1.25L;
    ASSERT_LE(UlpDistance(Power(base, exponent), TruePower(base, exponent)), Tolerance(base, exponent))
        << static_cast<double>(base) << " ^ " << static_cast<double>(exponent);
  }
  // e ln U just inside and just outside the limit, where the rule changes its route.
  for (long double y : {-700.0L, -699.9999L, -700.0001L, 699.9999L, 700.0001L}) {
    const long double exponent = y / std::log(0.25L);
    EXPECT_LE(UlpDistance(Power(0.25L, exponent), TruePower(0.25L, exponent)), Tolerance(0.25L, exponent))
        << static_cast<double>(y);
  }
}

TEST(PowerKernelTest, GeneratorDrawEntryKeepsEveryRuleAndFault) {
  for (long double exponent : {0.0L, 1.0L, 2.0L, 3.0L, -2.0L, 0.5L, -0.5L}) {
    const TPowerFunction power(exponent);
    for (std::uint32_t k : {1u, 2u, 3u, 0x80000000u, 0xFFFFFFFFu, 134775814u})
      EXPECT_EQ(power.OfFraction(k), power(static_cast<long double>(k) * 0x1p-32L)) << k;
  }
  EXPECT_EQ(TPowerFunction(2.0L).OfFraction(0), 0.0L);
  EXPECT_EQ(TPowerFunction(0.5L).OfFraction(0), 0.0L);
  EXPECT_EQ(TPowerFunction(0.0L).OfFraction(0), 1.0L);
  EXPECT_THROW(TPowerFunction(-0.5L).OfFraction(0), EZeroDivide);
  EXPECT_THROW(TPowerFunction(-2.0L).OfFraction(0), EZeroDivide);
  EXPECT_THROW(TPowerFunction(-20000.5L).OfFraction(1), EOverflow);  // (2^-32)^-20000.5
}

}  // namespace
}  // namespace corvane
