#include "runtime/decimal_digits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "runtime/decimal_scale.h"
#include "runtime/digit_pairs.h"
#include "runtime/extended_bits.h"

namespace corvane {
namespace {

constexpr std::uint64_t kTenTo17 = 100000000000000000u;
constexpr std::uint64_t kTenTo18 = 1000000000000000000u;

// Writes the nine decimal digits of n (below 10^9), leading zeros included.
void WriteNineDigits(std::uint32_t n, char* out) noexcept {
  out[8] = static_cast<char>('0' + n % 10);
  n /= 10;
  for (int i = 6; i >= 0; i -= 2) {
    std::memcpy(out + i, kDigitPairs + 2 * (n % 100), 2);
    n /= 100;
  }
}

// The nearest integer to x in [0, 2^64), ties to even (the rounding mode the process keeps).
// Adding 2^63 leaves no fraction bits in the 64-bit mantissa, so the addition itself rounds and
// the integer can be read off the mantissa; this avoids the control-word switches that a
// conversion to an integer type costs on the x87. From 2^63 up, x is an integer already.
std::uint64_t RoundToInteger(long double x) noexcept {
  constexpr long double kTwoTo63 = 0x1p63L;
  if (x >= kTwoTo63)
    return TExtendedBits::Of(x).mantissa;
  return TExtendedBits::Of(x + kTwoTo63).mantissa - (std::uint64_t{1} << 63);
}

// Integer division by 10 rounded to nearest, ties to even: what dividing the (exact) extended
// value by 10 and rounding it would give.
std::uint64_t DivideByTenRounded(std::uint64_t n) noexcept {
  std::uint64_t q = n / 10;
  const std::uint64_t r = n % 10;
  if (r > 5 || (r == 5 && (q & 1) != 0))
    ++q;
  return q;
}

// The 18 leading significant digits of a finite, normal, positive value as an integer in
// [10^17, 10^18), with E0 such that value ~ 0.d1...d18 * 10^E0.
std::uint64_t LeadingDigits(long double magnitude, int binary_exponent, int& e0) noexcept {
  // log10(2) ~ 19728 / 65536; the shift rounds toward minus infinity for negative products too.
  e0 = ((binary_exponent * 19728) >> 16) + 1;
  std::uint64_t n = RoundToInteger(ScaleByPowerOfTen(magnitude, 18 - e0));
  // For large negative binary exponents the estimate can count one digit too many, which would
  // leave a leading zero; scaling once more keeps all 18 digits significant.
  if (n < kTenTo17) {
    --e0;
    n = RoundToInteger(ScaleByPowerOfTen(magnitude, 18 - e0));
  }
  while (n >= kTenTo18) {
    n = DivideByTenRounded(n);
    ++e0;
  }
  return n;
}

// Rounds the digit string to its first `keep` digits (keep < 18), half away from zero.
void RoundDigits(TDecimalDigits& d, int keep) noexcept {
  const bool up = d.Digits[keep] >= '5';
  int length = keep;
  if (up) {
    while (length > 0 && d.Digits[length - 1] == '9') --length;  // carried-over nines drop as zeros
    if (length > 0) {
      ++d.Digits[length - 1];
    } else {  // carried out of the first digit
      d.Digits[0] = '1';
      length = 1;
      ++d.Exponent;
    }
  }
  d.Length = static_cast<std::uint8_t>(length);
}

void TrimTrailingZeros(TDecimalDigits& d) noexcept {
  while (d.Length > 0 && d.Digits[d.Length - 1] == '0') --d.Length;
  d.Digits[d.Length] = '\0';
}

}  // namespace

TDecimalDigits GenerateDecimalDigits(long double value, int precision, int decimals) noexcept {
  TDecimalDigits d;
  const TExtendedBits bits = TExtendedBits::Of(value);
  if (bits.biased_exponent == TExtendedBits::kMaxBiasedExponent) {
    const bool infinity = bits.mantissa == TExtendedBits::kIntegerBit;
    d.Exponent = infinity ? TDecimalDigits::kInfinity : TDecimalDigits::kNotANumber;
    d.Negative = infinity && bits.negative;
    return d;
  }
  if (bits.biased_exponent == 0)
    return d;                                               // zero and denormals
  if ((bits.mantissa & TExtendedBits::kIntegerBit) == 0) {  // unnormal: the FPU rejects it as invalid
    d.Exponent = TDecimalDigits::kNotANumber;
    return d;
  }

  int e0 = 0;
  const std::uint64_t n = LeadingDigits(std::fabs(value), bits.biased_exponent - TExtendedBits::kBias, e0);

  const std::int64_t position = std::int64_t{e0} + decimals;
  if (position < 0)
    return d;  // rounds to nothing, sign cleared
  d.Exponent = static_cast<std::int16_t>(e0);
  d.Negative = bits.negative;
  WriteNineDigits(static_cast<std::uint32_t>(n / 1000000000u), d.Digits);
  WriteNineDigits(static_cast<std::uint32_t>(n % 1000000000u), d.Digits + 9);
  d.Length = TDecimalDigits::kMaxDigits;
  const int keep = static_cast<int>(std::min<std::int64_t>({position, std::max(precision, 0), 18}));
  if (keep < TDecimalDigits::kMaxDigits)
    RoundDigits(d, keep);
  TrimTrailingZeros(d);
  return d;
}

}  // namespace corvane
