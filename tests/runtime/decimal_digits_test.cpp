#include "runtime/decimal_digits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace corvane {
namespace {

struct Expected {
  const char* digits;
  int exponent;
  bool negative;
};

void ExpectDigits(long double value, int precision, int decimals, Expected e) {
  const TDecimalDigits d = GenerateDecimalDigits(value, precision, decimals);
  EXPECT_STREQ(d.Digits, e.digits) << static_cast<double>(value);
  EXPECT_EQ(d.Exponent, e.exponent) << static_cast<double>(value);
  EXPECT_EQ(d.Negative, e.negative) << static_cast<double>(value);
}

TEST(DecimalDigitsTest, ExponentCountsIntegerDigits) {
  ExpectDigits(1234.5L, 18, 9999, {"12345", 4, false});
  ExpectDigits(0.0123L, 18, 9999, {"123", -1, false});
  ExpectDigits(-1.0L, 18, 9999, {"1", 1, true});
  ExpectDigits(1e18L, 18, 9999, {"1", 19, false});
  ExpectDigits(999999999999999999.0L, 18, 9999, {"999999999999999999", 18, false});
}

TEST(DecimalDigitsTest, NonFiniteZeroAndDenormalInputs) {
  const long double inf = std::numeric_limits<long double>::infinity();
  ExpectDigits(inf, 15, 0, {"", TDecimalDigits::kInfinity, false});
  ExpectDigits(-inf, 15, 0, {"", TDecimalDigits::kInfinity, true});
  ExpectDigits(-std::numeric_limits<long double>::quiet_NaN(), 15, 0,
               {"", TDecimalDigits::kNotANumber, false});
  ExpectDigits(-0.0L, 15, 0, {"", 0, false});
  ExpectDigits(std::numeric_limits<long double>::denorm_min() * 1000, 15, 9999, {"", 0, false});
  ExpectDigits(std::numeric_limits<long double>::min(), 18, 9999, {"336210314311209351", -4931, false});
}

TEST(DecimalDigitsTest, RoundsHalfAwayFromZeroAtTheRequestedPlace) {
  ExpectDigits(0.0005L, 10, 3, {"1", -2, false});  // 0.001
  ExpectDigits(0.0004L, 10, 3, {"", -3, false});
  ExpectDigits(-0.0004L, 10, 3, {"", -3, true});   // rounding at the first digit keeps the sign
  ExpectDigits(-0.00004L, 10, 3, {"", 0, false});  // below the first digit: sign cleared
  ExpectDigits(9999999999.9996L, 10, 3, {"1", 11, false});
  ExpectDigits(12345678901.0L, 10, 3, {"123456789", 11, false});
  ExpectDigits(2.5L, 18, 0, {"3", 1, false});
  ExpectDigits(-2.5L, 18, 0, {"3", 1, true});
  ExpectDigits(12345.0L, 18, -2, {"123", 5, false});  // negative decimals round left of the point
}

TEST(DecimalDigitsTest, PrecisionLimitsSignificantDigits) {
  ExpectDigits(123456.0L, 2, 9999, {"12", 6, false});
  ExpectDigits(125000.0L, 2, 9999, {"13", 6, false});
  ExpectDigits(0.1L, 0, 9999, {"", -0, false});  // no digit kept and the first is below 5
  ExpectDigits(0.7L, 0, 9999, {"1", 1, false});
}

// The 18-digit integer and its exponent, against the correctly rounded digits of the C library:
// the extended scaling may be off by one unit in the 18th digit, never more.
void ExpectLeadingDigitsClose(long double value) {
  const TDecimalDigits d = GenerateDecimalDigits(value, 18, 9999);
  char reference[64];
  std::snprintf(reference, sizeof reference, "%.17Le", value);  // d.ddddddddddddddddde[+-]x
  std::string ref_digits = std::string(1, reference[0]) + std::string(reference + 2, 17);
  const int ref_exponent = std::atoi(std::strchr(reference, 'e') + 1) + 1;
  std::string ours = d.Digits;
  ASSERT_FALSE(ours.empty());
  ASSERT_NE(ours[0], '0') << "leading zero for " << reference;
  ours.resize(18, '0');
  long long ours_n = std::stoll(ours), ref_n = std::stoll(ref_digits);
  int ours_e = d.Exponent;
  if (ours_e != ref_exponent) {  // one side rounded up to the next power of ten
    ASSERT_EQ(std::abs(ours_e - ref_exponent), 1) << reference;
    if (ours_e > ref_exponent)
      ref_n = (ref_n + 5) / 10;
    else
      ours_n = (ours_n + 5) / 10;
  }
  EXPECT_LE(std::llabs(ours_n - ref_n), 1) << reference << " got " << d.Digits << "e" << d.Exponent;
}

TEST(DecimalDigitsTest, EveryBinaryExponentGivesEighteenSignificantDigits) {
  for (int e = -16382; e <= 16383; ++e) {
    ExpectLeadingDigitsClose(std::ldexp(1.0L, e));
    ExpectLeadingDigitsClose(std::nextafter(std::ldexp(2.0L, e), 0.0L));  // just below the next power
  }
}

TEST(DecimalDigitsTest, RandomValuesAgreeWithCorrectlyRoundedDigits) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> exponent(-16000, 16000);
  for (int i = 0; i < 20000; ++i) {
    const long double mantissa = 1 + static_cast<long double>(random()) / 0x1p64L;
    ExpectLeadingDigitsClose(std::ldexp(mantissa, exponent(random)));
  }
}

}  // namespace
}  // namespace corvane
