#include "runtime/decimal_scale.h"

#include <array>
#include <bit>
#include <cassert>

namespace corvane {
namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr auto kFivePowers = [] {
  std::array<std::uint64_t, kMaxExactPowerOfTen + 1> powers{};
  powers[0] = 1;
  for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 5;
  return powers;
}();

int BitLength(Wide x) noexcept {
  const auto high = static_cast<std::uint64_t>(x >> 64);
  return high != 0 ? 128 - std::countl_zero(high) : 64 - std::countl_zero(static_cast<std::uint64_t>(x));
}

// x / divisor with its remainder, as two hardware 128-by-64-bit divisions (the library's general
// 128-bit division costs several times that).
Wide DivideBy64(Wide x, std::uint64_t divisor, std::uint64_t& remainder) noexcept {
  const auto high = static_cast<std::uint64_t>(x >> 64);
  const std::uint64_t quotient_high = high / divisor;
  std::uint64_t upper = high % divisor;  // below the divisor, so the next quotient fits 64 bits
  std::uint64_t lower = static_cast<std::uint64_t>(x);
  __asm__("divq %[d]" : "+a"(lower), "+d"(upper) : [d] "r"(divisor) : "cc");
  remainder = upper;
  return (Wide{quotient_high} << 64) | lower;
}

// The extended value nearest x * 2^exponent (ties to even). `sticky` tells that non-zero bits lay
// below x; it is only given for an x of more than 64 bits, whose own low bits are then rounded off.
TExtendedBits RoundToExtended(Wide x, bool sticky, int exponent, bool negative) noexcept {
  TExtendedBits bits;
  bits.negative = negative;
  if (x == 0)
    return bits;
  const int length = BitLength(x);
  assert(!sticky || length > 64);
  if (length <= 64) {
    bits.mantissa = static_cast<std::uint64_t>(x) << (64 - length);
  } else {
    const int dropped = length - 64;
    const Wide rest = x & ((Wide{1} << dropped) - 1);
    const Wide half = Wide{1} << (dropped - 1);
    bits.mantissa = static_cast<std::uint64_t>(x >> dropped);
    const bool round_up = rest > half || (rest == half && (sticky || (bits.mantissa & 1) != 0));
    if (round_up && ++bits.mantissa == 0) {  // carried out: 2^64
      bits.mantissa = TExtendedBits::kIntegerBit;
      ++exponent;
    }
  }
  bits.biased_exponent = static_cast<std::uint16_t>(exponent + length - 1 + TExtendedBits::kBias);
  return bits;
}

}  // namespace

std::optional<TExtendedBits> ScaleIntegerCorrectlyRounded(std::uint64_t integer, int n,
                                                          bool negative) noexcept {
  if (n < -kMaxExactPowerOfTen || n > kMaxExactPowerOfTen)
    return std::nullopt;
  // 10^k = 5^k * 2^k, and 5^k fits 64 bits for every k used here.
  const int k = n < 0 ? -n : n;
  const std::uint64_t five = kFivePowers[static_cast<std::size_t>(k)];
  if (n >= 0)
    return RoundToExtended(Wide{integer} * five, false, k, negative);
  if (integer == 0)
    return TExtendedBits{0, 0, negative};
  // Shift the dividend to the top of 128 bits: the quotient then keeps at least 65 bits, enough
  // for the rounding bit, and the remainder decides the sticky bit.
  const int shift = 128 - BitLength(Wide{integer});
  const Wide dividend = Wide{integer} << shift;
  std::uint64_t remainder = 0;
  const Wide quotient = DivideBy64(dividend, five, remainder);
  return RoundToExtended(quotient, remainder != 0, -shift - k, negative);
}

}  // namespace corvane
