#include "runtime/power.h"

#include "runtime/errors.h"

namespace corvane {
namespace {

constexpr long double kLargestIntegralExponent = 2147483647.0L;

bool IsSmallIntegral(long double exponent) noexcept {
  // The range test comes first: it is false for NaN and keeps the cast below defined.
  if (!(std::fabs(exponent) <= kLargestIntegralExponent))
    return false;
  return static_cast<long double>(static_cast<std::int64_t>(exponent)) == exponent;
}

}  // namespace

TPowerFunction::TPowerFunction(long double exponent) noexcept : exponent_(exponent), rule_(Rule::Logarithm) {
  if (exponent == 0.0L) {
    rule_ = Rule::One;
  } else if (IsSmallIntegral(exponent)) {
    rule_ = Rule::Integral;
    const std::int64_t n = static_cast<std::int64_t>(exponent);
    magnitude_ = static_cast<std::uint32_t>(n < 0 ? -n : n);
    negative_ = n < 0;
  }
}

long double TPowerFunction::LogarithmicPower(long double base) const noexcept {
  return std::exp(exponent_ * std::log(base));
}

void TPowerFunction::ThrowFault(long double base, long double result) const {
  if (std::isnan(result))
    throw EInvalidOp();
  if (base == 0.0L && exponent_ < 0.0L)
    throw EZeroDivide();
  throw EOverflow();
}

}  // namespace corvane
