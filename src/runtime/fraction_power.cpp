#include "runtime/fraction_power.h"

#include <bit>

#include "runtime/extended_bits.h"
#include "runtime/extended_exp.h"
#include "runtime/extended_log.h"
#include "runtime/power.h"

namespace corvane {

namespace {

// Whether the extended value has no fraction bits: integers, and every value from 2^63 on.
bool IsIntegral(long double x) noexcept {
  const TExtendedBits bits = TExtendedBits::Of(x);
  const int power = bits.biased_exponent - TExtendedBits::kBias;  // |x| in [2^power, 2^(power+1))
  if (bits.biased_exponent == 0)
    return bits.mantissa == 0;
  if (power < 0)
    return false;
  return power >= 63 || (bits.mantissa & ((std::uint64_t{1} << (63 - power)) - 1)) == 0;
}

}  // namespace

bool TFractionPower::Serves(long double exponent) noexcept {
  // Read off the bits: converting an extended value to an integer type costs two control-word
  // switches on the x87.
  return exponent > 0.0L && !IsIntegral(exponent);
}

TFractionPower::TFractionPower(long double exponent)
    : exponent_(exponent),
      route_(exponent <= kSeriesLimit       ? Route::kShortSeries
             : exponent <= kLongSeriesLimit ? Route::kLongSeries
                                            : Route::kExponents),
      powers_(kExponents * kPoints) {
  const TPowerFunction power(exponent);
  for (int E = kLowestExponent; E < kLowestExponent + kExponents; ++E) {
    for (int j = 0; j < kPoints; ++j) {
      // ln(2^E / c_j) = E ln 2 + T_j, as the logarithm's table step forms it with r = 0.
      const detail::TLogReduction x{static_cast<long double>(E), 0.0L, &detail::kLogTable[j]};
      const TLogParts ln = detail::CombineLog(x, 0.0L);
      powers_[static_cast<std::size_t>((E - kLowestExponent) * kPoints + j)] =
          route_ == Route::kExponents ? exponent * ln.head + exponent * ln.tail : power.PowerOfLog(ln);
    }
  }
}

std::optional<std::uint32_t> FractionSeed(long double u) noexcept {
  const TExtendedBits bits = TExtendedBits::Of(u);
  if (bits.negative || bits.biased_exponent == TExtendedBits::kMaxBiasedExponent)
    return std::nullopt;
  if (bits.biased_exponent == 0)  // zero (denormals are no fractions of the generator)
    return bits.mantissa == 0 ? std::optional<std::uint32_t>(0) : std::nullopt;
  const int power = bits.biased_exponent - TExtendedBits::kBias;  // u in [2^power, 2^(power + 1))
  if (power < -32 || power > -1 || !(bits.mantissa & TExtendedBits::kIntegerBit))
    return std::nullopt;
  const int shift = 63 - (32 + power);  // the bits below 2^-32
  if (bits.mantissa & ((std::uint64_t{1} << shift) - 1))
    return std::nullopt;
  return static_cast<std::uint32_t>(bits.mantissa >> shift);
}

}  // namespace corvane
