#include "runtime/decimal_scale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

namespace corvane {
namespace {

long double CorrectlyRounded(int power) {
  // The C library's conversion is correctly rounded: an independent check of the generated tables.
  return std::strtold(("1e" + std::to_string(power)).c_str(), nullptr);
}

TEST(DecimalScaleTest, EveryTableEntryIsTheCorrectlyRoundedPowerOfTen) {
  for (int k = 0; k < 32; ++k) EXPECT_EQ(detail::kTenPowersUnit[k], CorrectlyRounded(k)) << k;
  for (int k = 0; k < 16; ++k) EXPECT_EQ(detail::kTenPowersStep32[k], CorrectlyRounded(32 * k)) << k;
  for (int k = 0; k < 10; ++k) EXPECT_EQ(detail::kTenPowersStep512[k], CorrectlyRounded(512 * k)) << k;
}

TEST(DecimalScaleTest, AppliesTheThreeFactorsInOrderEachRounded) {
  const long double x = 3.7L;
  EXPECT_EQ(ScaleByPowerOfTen(x, 0), x);
  EXPECT_EQ(ScaleByPowerOfTen(x, 5), x * 1e5L);
  EXPECT_EQ(ScaleByPowerOfTen(x, 64), x * 1e0L * detail::kTenPowersStep32[2]);
  // 1517 = 13 + 32 * 15 + 512 * 2
  EXPECT_EQ(ScaleByPowerOfTen(x, 1517),
            x * detail::kTenPowersUnit[13] * detail::kTenPowersStep32[15] * detail::kTenPowersStep512[2]);
  EXPECT_EQ(ScaleByPowerOfTen(x, 1037), x * detail::kTenPowersUnit[13] * detail::kTenPowersStep512[2]);
  EXPECT_EQ(ScaleByPowerOfTen(x, -(512 + 33)),
            x / detail::kTenPowersUnit[1] / detail::kTenPowersStep32[1] / detail::kTenPowersStep512[1]);
  EXPECT_EQ(ScaleByPowerOfTen(x, -4999), 0.0L);  // underflows quietly
}

TEST(DecimalScaleTest, ScalesBeyondTheLastTableEntryStepByTheLargestOne) {
  const long double huge = 1e4900L;
  // 5200 = 4608 + 592, and 592 = 16 + 32 * 2 + 512
  EXPECT_EQ(ScaleByPowerOfTen(huge, -5200), huge / detail::kTenPowersStep512[9] / 1e16L /
                                                detail::kTenPowersStep32[2] / detail::kTenPowersStep512[1]);
  EXPECT_GT(ScaleByPowerOfTen(huge, -5200), 0.0L);
}

// The integer path must agree with the extended arithmetic bit for bit, rounding included.
TEST(DecimalScaleTest, IntegerPathMatchesExtendedArithmeticExactly) {
  std::mt19937_64 random(20261208);
  const std::uint64_t samples[] = {0,
                                   1,
                                   5,
                                   25,
                                   12345678,
                                   999999999999999999u,
                                   0xFFFFFFFFFFFFFFFFu,
                                   0x8000000000000001u,
                                   1844674407370955161u};
  for (int n = -kMaxExactPowerOfTen; n <= kMaxExactPowerOfTen; ++n) {
    auto check = [n](std::uint64_t integer) {
      const auto bits = ScaleIntegerCorrectlyRounded(integer, n, false);
      ASSERT_TRUE(bits.has_value());
      EXPECT_EQ(bits->Value(), ScaleByPowerOfTen(static_cast<long double>(integer), n))
          << integer << "e" << n;
      EXPECT_EQ(ScaleIntegerCorrectlyRounded(integer, n, true)->Value(),
                -ScaleByPowerOfTen(static_cast<long double>(integer), n));
    };
    for (std::uint64_t integer : samples) check(integer);
    for (int i = 0; i < 2000; ++i) check(random() >> (random() % 64));
  }
}

TEST(DecimalScaleTest, IntegerPathRoundsHalfwayCasesToEven) {
  // An odd a with 5a of 65 bits: a * 10 = 5a * 2 drops exactly one bit, a 1, so it is a tie; a and
  // a + 2 give mantissas of either parity.
  for (std::uint64_t a : {3689348814741910325u, 3689348814741910327u}) {
    __extension__ const unsigned __int128 product = static_cast<unsigned __int128>(a) * 5;
    std::uint64_t mantissa = static_cast<std::uint64_t>(product >> 1);
    if (mantissa & 1)
      ++mantissa;
    EXPECT_EQ(ScaleIntegerCorrectlyRounded(a, 1, false)->Value(), static_cast<long double>(mantissa) * 4)
        << a;
  }
  EXPECT_FALSE(ScaleIntegerCorrectlyRounded(1, 28, false).has_value());
  EXPECT_FALSE(ScaleIntegerCorrectlyRounded(1, -28, false).has_value());
}

}  // namespace
}  // namespace corvane
