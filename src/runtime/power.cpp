#include "runtime/power.h"

#include <cmath>
#include <cstdint>

#include "runtime/errors.h"

namespace corvane {
namespace {

constexpr long double kLargestIntegralExponent = 2147483647.0L;

// Square-and-multiply from the lowest bit up; the base is not squared once the bits run out, so
// 1e1300^2 does not overflow on a square it never uses.
long double IntegerPower(long double base, std::uint32_t magnitude) noexcept {
  long double result = 1.0L;
  while (true) {
    if (magnitude & 1u)
      result *= base;
    magnitude >>= 1;
    if (magnitude == 0)
      return result;
    base *= base;
  }
}

bool IsSmallIntegral(long double exponent) noexcept {
  // The range test comes first: it is false for NaN and keeps the cast below defined.
  if (!(std::fabs(exponent) <= kLargestIntegralExponent))
    return false;
  return static_cast<long double>(static_cast<std::int64_t>(exponent)) == exponent;
}

long double Compute(long double base, long double exponent) noexcept {
  if (exponent == 0.0L)
    return 1.0L;
  if (base == 0.0L && exponent > 0.0L)
    return 0.0L;
  if (IsSmallIntegral(exponent)) {
    const std::int64_t n = static_cast<std::int64_t>(exponent);
    const long double magnitude = IntegerPower(base, static_cast<std::uint32_t>(n < 0 ? -n : n));
    return n < 0 ? 1.0L / magnitude : magnitude;
  }
  return std::exp(exponent * std::log(base));
}

}  // namespace

long double Power(long double base, long double exponent) {
  const long double result = Compute(base, exponent);
  if (std::isfinite(result)) [[likely]]
    return result;
  if (std::isnan(result))
    throw EInvalidOp();
  if (base == 0.0L && exponent < 0.0L)
    throw EZeroDivide();
  throw EOverflow();
}

}  // namespace corvane
