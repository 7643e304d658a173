#include "runtime/fixed_three_decimals.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "runtime/digit_pairs.h"

namespace corvane {
namespace {

// An integer below 10^8 in decimal, without leading zeros ("0" for 0).
char* WriteInteger(std::uint32_t n, char* out) noexcept {
  char digits[8];
  char* start = digits + sizeof digits;
  while (n >= 100) {
    start -= 2;
    std::memcpy(start, kDigitPairs + 2 * (n % 100), 2);
    n /= 100;
  }
  if (n >= 10) {
    start -= 2;
    std::memcpy(start, kDigitPairs + 2 * n, 2);
  } else {
    *--start = static_cast<char>('0' + n);
  }
  const std::size_t length = static_cast<std::size_t>(digits + sizeof digits - start);
  std::memcpy(out, start, length);
  return out + length;
}

constexpr std::uint64_t kMantissaMask = (std::uint64_t{1} << 52) - 1;
constexpr int kExponentMask = 0x7FF;
constexpr int kDoubleBias = 1075;  // value = mantissa * 2^(biased exponent - 1075)

}  // namespace

char* WriteFixedThreeDecimals(double value, char mark, char* out) noexcept {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  std::uint64_t thousandths = 0;
  if ((bits << 1) != 0) {  // zero of either sign prints "0.000"
    const double magnitude = negative ? -value : value;
    if (!(magnitude >= 0.001 && magnitude < 1e7))
      return nullptr;
    // magnitude * 1000 = mantissa * 1000 * 2^-shift exactly: below 2^63, with 29 <= shift <= 62.
    const std::uint64_t mantissa = (bits & kMantissaMask) | (kMantissaMask + 1);
    const int shift = kDoubleBias - static_cast<int>((bits >> 52) & kExponentMask);
    const std::uint64_t scaled = mantissa * 1000;
    const std::uint64_t fraction = scaled & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    // The general path rounds an 18-digit approximation (within 10^-7 of a thousandth here), so
    // next to a tie its decision is its own.
    const std::uint64_t distance = fraction > half ? fraction - half : half - fraction;
    if (distance <= (half >> 20))
      return nullptr;
    thousandths = (scaled >> shift) + (fraction > half ? 1 : 0);
  }
  if (negative && thousandths != 0)
    *out++ = '-';
  out = WriteInteger(static_cast<std::uint32_t>(thousandths / 1000), out);
  const std::uint32_t decimals = static_cast<std::uint32_t>(thousandths % 1000);
  out[0] = mark;
  out[1] = static_cast<char>('0' + decimals / 100);
  std::memcpy(out + 2, kDigitPairs + 2 * (decimals % 100), 2);
  return out + 4;
}

}  // namespace corvane
