// The runtime's power function, in extended precision, with the rules the simulation relies on.
// Power(base, exponent) for single uses; TPowerFunction fixes the exponent for a loop that raises
// many bases to it, choosing the exponent's rule once. Both give the same results and faults.
// The logarithm rule runs on the extended kernels (extended_log.h, extended_exp.h), which carry
// e ln U in two parts: within a unit in the last extended place plus |e ln U| units from the
// logarithm's own rounding, about half the error of the library's exp(e * log(U)). Normal positive
// bases with |e ln U| <= 700 take the kernels; the rest the library's route.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "runtime/extended_log.h"

namespace corvane {

// base^exponent, the first matching rule deciding:
//   exponent 0                                   -> 1 (even for a zero or NaN base)
//   base 0 and exponent > 0                      -> 0
//   integral exponent with |exponent| <= 2^31-1  -> repeated squaring, reciprocal when negative
//   otherwise                                    -> exp(exponent * ln base)
// Faults become errors instead of non-finite results: EZeroDivide for a zero base with a negative
// exponent, EInvalidOp for a NaN result (a negative base with a fractional exponent, NaN input),
// EOverflow for an infinite one. Underflow quietly gives 0 or a denormal.
long double Power(long double base, long double exponent);

// x -> x^exponent for one exponent; inline, for hot loops.
class TPowerFunction {
 public:
  explicit TPowerFunction(long double exponent) noexcept;

  long double operator()(long double base) const {
    if (rule_ == Rule::One)
      return 1.0L;
    if (base == 0.0L && exponent_ > 0.0L)
      return 0.0L;
    const long double result = rule_ == Rule::Integral ? IntegralPower(base) : LogarithmicPower(base);
    if (!std::isfinite(result)) [[unlikely]]
      ThrowFault(base, result);
    return result;
  }

  // The power of the fraction k * 2^-32, a draw of the generator, taken from its seed k: the same
  // value and faults as (*this)(k * 2^-32).
  long double OfFraction(std::uint32_t k) const {
    if (rule_ == Rule::Logarithm && k != 0) {
      const int z = std::countl_zero(k);
      const long double result = KernelPower(static_cast<std::uint64_t>(k) << (32 + z), -1 - z);
      if (result == result) [[likely]]  // NaN: outside the kernels' range
        return result;
    }
    return (*this)(static_cast<long double>(k) * 0x1p-32L);
  }

 private:
  enum class Rule { One, Integral, Logarithm };

  // Square-and-multiply from the lowest bit up. The base is not squared once the bits run out, so
  // 1e2000^2 does not overflow on a square it never uses.
  long double IntegralPower(long double base) const noexcept {
    long double result = 1.0L;
    for (std::uint32_t bits = magnitude_;;) {
      if (bits & 1u)
        result *= base;
      bits >>= 1;
      if (bits == 0)
        break;
      base *= base;
    }
    return negative_ ? 1.0L / result : result;
  }

  long double LogarithmicPower(long double base) const noexcept;
  // exp(exponent * ln x) for x = mantissa * 2^(binary_exponent - 63) on the extended kernels, or
  // NaN when the result would leave their range.
  long double KernelPower(std::uint64_t mantissa, int binary_exponent) const noexcept;

 public:
  // exp(exponent * (ln.head + ln.tail)) on the extended kernels, or NaN outside their range.
  long double PowerOfLog(const TLogParts& ln) const noexcept;

 private:
  [[noreturn]] void ThrowFault(long double base, long double result) const;

  long double exponent_;
  Rule rule_;
  std::uint32_t magnitude_ = 0;  // |exponent| under the integral rule
  bool negative_ = false;
  long double exponent_high_ = 0;  // the exponent in two halves of 32 bits, for exact products
  long double exponent_low_ = 0;
};

inline long double Power(long double base, long double exponent) {
  return TPowerFunction(exponent)(base);
}

}  // namespace corvane
