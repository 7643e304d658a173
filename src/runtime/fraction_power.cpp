#include "runtime/fraction_power.h"

#include <bit>

#include "runtime/extended_bits.h"
#include "runtime/extended_exp.h"
#include "runtime/extended_log.h"
#include "runtime/power.h"

namespace corvane {
namespace {

constexpr int kLowestExponent = -32;  // E of the smallest draw, 2^-32
constexpr int kExponents = 33;        // E = -32 .. 0
constexpr int kPoints = 361;          // j = 360 .. 720

}  // namespace

bool TFractionPower::Serves(long double exponent) noexcept {
  // The integers of the range by name: converting an extended value to an integer type costs two
  // control-word switches on the x87, and this runs once a reaction.
  return exponent > 0.0L && exponent <= kLargest && exponent != 1.0L && exponent != 2.0L && exponent != 3.0L;
}

TFractionPower::TFractionPower(long double exponent) : exponent_(exponent), powers_(kExponents * kPoints) {
  const TPowerFunction power(exponent);
  for (int E = kLowestExponent; E < kLowestExponent + kExponents; ++E) {
    for (int j = 0; j < kPoints; ++j) {
      // ln(2^E / c_j) = E ln 2 + T_j, as the logarithm's table step forms it with r = 0.
      const detail::LogReduction x{static_cast<long double>(E), 0.0L, &detail::kLogTable[j]};
      powers_[static_cast<std::size_t>((E - kLowestExponent) * kPoints + j)] =
          power.PowerOfLog(detail::CombineLog(x, 0.0L));
    }
  }
}

long double TFractionPower::operator()(std::uint32_t k) const noexcept {
  if (k == 0)
    return 0.0L;
  const int z = std::countl_zero(k);
  const std::uint64_t mantissa = static_cast<std::uint64_t>(k) << (32 + z);
  const detail::LogReduction x = detail::ReduceForLog(mantissa, -1 - z);
  const int E = -1 - z + (mantissa >= detail::kHalvingMantissa ? 1 : 0);  // x.e, without an x87 conversion
  const long double Z =
      powers_[static_cast<std::size_t>((E - kLowestExponent) * kPoints + (x.entry - detail::kLogTable))];
  // e ln(1 + r) with its series tail in double arithmetic: below 2^-7.5, so its rounding errors
  // stay far below the last extended place of the power.
  const double r = static_cast<double>(x.r);
  const double r2 = r * r;
  const double tail =
      r2 * ((-0.5 + r * (1.0 / 3.0)) + r2 * ((-0.25 + r * 0.2) + r2 * (-1.0 / 6.0 + r * (1.0 / 7.0))));
  const long double y = exponent_ * x.r + exponent_ * tail;
  return Z + Z * detail::ExpMinusOne(y);
}

bool FractionSeed(long double u, std::uint32_t& k) noexcept {
  const ExtendedBits bits = ExtendedBits::Of(u);
  if (bits.negative || bits.biased_exponent == ExtendedBits::kMaxBiasedExponent)
    return false;
  if (bits.biased_exponent == 0) {  // zero (denormals are no fractions of the generator)
    k = 0;
    return bits.mantissa == 0;
  }
  const int power = bits.biased_exponent - ExtendedBits::kBias;  // u in [2^power, 2^(power + 1))
  if (power < -32 || power > -1 || !(bits.mantissa & ExtendedBits::kIntegerBit))
    return false;
  const int shift = 63 - (32 + power);  // the bits below 2^-32
  if (bits.mantissa & ((std::uint64_t{1} << shift) - 1))
    return false;
  k = static_cast<std::uint32_t>(bits.mantissa >> shift);
  return true;
}

}  // namespace corvane
