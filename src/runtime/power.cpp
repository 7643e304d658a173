#include "runtime/power.h"

#include <limits>

#include "runtime/errors.h"
#include "runtime/extended_bits.h"
#include "runtime/extended_exp.h"
#include "runtime/extended_log.h"

namespace corvane {
namespace {

// Multiplying by 2^32 + 1 splits an extended value into two halves of at most 32 bits (Veltkamp),
// whose products with other 32-bit halves are exact. Exponents beyond this are not split: their
// products with any logarithm leave the kernels' range anyway.
constexpr long double kSplitter = 0x1p32L + 1.0L;
constexpr long double kLargestSplitExponent = 0x1p16000L;

// |exponent| when it is an integer of at most 2^31 - 1, else -1; read off the bits, since converting
// an extended value to an integer type costs two control-word switches on the x87.
std::int64_t SmallIntegralMagnitude(long double exponent) noexcept {
  const TExtendedBits bits = TExtendedBits::Of(exponent);
  const int power = bits.biased_exponent - TExtendedBits::kBias;  // |exponent| in [2^power, 2^(power+1))
  if (!(bits.mantissa & TExtendedBits::kIntegerBit) || power < 0 || power > 30)
    return -1;  // zero, denormals, fractions below 1, unnormals, too large, infinities and NaN
  const int fraction_bits = 63 - power;
  if (bits.mantissa & ((std::uint64_t{1} << fraction_bits) - 1))
    return -1;
  return static_cast<std::int64_t>(bits.mantissa >> fraction_bits);
}

struct THalves {
  long double high = 0;
  long double low = 0;
};

THalves Split(long double x) noexcept {
  const long double scaled = x * kSplitter;
  const long double high = scaled - (scaled - x);
  return {high, x - high};
}

}  // namespace

TPowerFunction::TPowerFunction(long double exponent) noexcept : exponent_(exponent), rule_(Rule::Logarithm) {
  if (exponent == 0.0L) {
    rule_ = Rule::One;
  } else if (const std::int64_t magnitude = SmallIntegralMagnitude(exponent); magnitude >= 0) {
    rule_ = Rule::Integral;
    magnitude_ = static_cast<std::uint32_t>(magnitude);
    negative_ = exponent < 0;
  } else if (std::fabs(exponent) <= kLargestSplitExponent) {
    const THalves halves = Split(exponent);
    exponent_high_ = halves.high;
    exponent_low_ = halves.low;
  }
}

long double TPowerFunction::KernelPower(std::uint64_t mantissa, int binary_exponent) const noexcept {
  return PowerOfLog(ExtendedLogPartsForPower(mantissa, binary_exponent));
}

long double TPowerFunction::PowerOfLog(const TLogParts& parts) const noexcept {
  // Renormalised first: next to 1 the head is 0 and the whole logarithm sits in the tail, whose
  // product with a large exponent would lose its rounding error. |head| >= |tail| when head != 0.
  const long double ln = parts.head + parts.tail;
  const long double ln_tail = (parts.head - ln) + parts.tail;
  // exponent * ln exactly, as the rounded product and its error (Dekker), plus exponent * ln_tail.
  const long double product = exponent_ * ln;
  const THalves head = Split(ln);
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
  const TExtendedBits bits = TExtendedBits::Of(base);
  const bool normal_positive = !bits.negative && bits.biased_exponent != 0 &&
                               bits.biased_exponent != TExtendedBits::kMaxBiasedExponent &&
                               (bits.mantissa & TExtendedBits::kIntegerBit) != 0;
  if (normal_positive) {
    const long double result = KernelPower(bits.mantissa, bits.biased_exponent - TExtendedBits::kBias);
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
