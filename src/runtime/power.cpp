#include "runtime/power.h"

#include <limits>

#include "runtime/errors.h"
#include "runtime/extended_bits.h"
#include "runtime/extended_exp.h"
#include "runtime/extended_log.h"

namespace corvane {
namespace {

constexpr long double kLargestIntegralExponent = 2147483647.0L;

// Multiplying by 2^32 + 1 splits an extended value into two halves of at most 32 bits (Veltkamp),
// whose products with other 32-bit halves are exact. Exponents beyond this are not split: their
// products with any logarithm leave the kernels' range anyway.
constexpr long double kSplitter = 0x1p32L + 1.0L;
constexpr long double kLargestSplitExponent = 0x1p16000L;

bool IsSmallIntegral(long double exponent) noexcept {
  // The range test comes first: it is false for NaN and keeps the cast below defined.
  if (!(std::fabs(exponent) <= kLargestIntegralExponent))
    return false;
  return static_cast<long double>(static_cast<std::int64_t>(exponent)) == exponent;
}

struct Halves {
  long double high = 0;
  long double low = 0;
};

Halves Split(long double x) noexcept {
  const long double scaled = x * kSplitter;
  const long double high = scaled - (scaled - x);
  return {high, x - high};
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
  } else if (std::fabs(exponent) <= kLargestSplitExponent) {
    const Halves halves = Split(exponent);
    exponent_high_ = halves.high;
    exponent_low_ = halves.low;
  }
}

long double TPowerFunction::KernelPower(std::uint64_t mantissa, int binary_exponent) const noexcept {
  const LogParts parts = ExtendedLogPartsForPower(mantissa, binary_exponent);
  // Renormalised first: next to 1 the head is 0 and the whole logarithm sits in the tail, whose
  // product with a large exponent would lose its rounding error. |head| >= |tail| when head != 0.
  const long double ln = parts.head + parts.tail;
  const long double ln_tail = (parts.head - ln) + parts.tail;
  // exponent * ln exactly, as the rounded product and its error (Dekker), plus exponent * ln_tail.
  const long double product = exponent_ * ln;
  const Halves head = Split(ln);
  const long double product_error =
      ((exponent_high_ * head.high - product) + exponent_high_ * head.low + exponent_low_ * head.high) +
      exponent_low_ * head.low;
  const long double rest = product_error + exponent_ * ln_tail;
  // Renormalised again, so that the high part carries the whole argument.
  const long double high = product + rest;
  const long double low = (product - high) + rest;
  if (!(std::fabs(high) <= kExtendedExpLimit))
    return std::numeric_limits<long double>::quiet_NaN();
  return ExtendedExp(high, low);
}

long double TPowerFunction::LogarithmicPower(long double base) const noexcept {
  const ExtendedBits bits = ExtendedBits::Of(base);
  const bool normal_positive = !bits.negative && bits.biased_exponent != 0 &&
                               bits.biased_exponent != ExtendedBits::kMaxBiasedExponent &&
                               (bits.mantissa & ExtendedBits::kIntegerBit) != 0;
  if (normal_positive) {
    const long double result = KernelPower(bits.mantissa, bits.biased_exponent - ExtendedBits::kBias);
    if (result == result)
      return result;
  }
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
