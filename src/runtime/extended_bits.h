// The fields of an 80-bit extended value (sign, 15-bit biased exponent, 64-bit mantissa with an
// explicit integer bit), read and written without floating-point operations, so that classifying or
// building a value can raise no floating-point flag.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

namespace corvane {

static_assert(std::numeric_limits<long double>::digits == 64, "long double must be the x87 extended type");

struct TExtendedBits {
  static constexpr int kBias = 16383;
  static constexpr std::uint16_t kMaxBiasedExponent = 0x7FFF;
  static constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

  std::uint64_t mantissa = 0;
  std::uint16_t biased_exponent = 0;
  bool negative = false;

  static TExtendedBits Of(long double value) noexcept {
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof bytes);
    TExtendedBits bits;
    std::uint16_t top;
    std::memcpy(&bits.mantissa, bytes, 8);
    std::memcpy(&top, bytes + 8, 2);
    bits.negative = (top & 0x8000) != 0;
    bits.biased_exponent = top & 0x7FFF;
    return bits;
  }

  // Writes the value straight into memory: building it there and loading it into the FPU would
  // stall on the partial stores.
  void StoreTo(long double& target) const noexcept {
    const std::uint16_t top = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | biased_exponent);
    unsigned char* bytes = reinterpret_cast<unsigned char*>(&target);
    std::memcpy(bytes, &mantissa, 8);
    std::memcpy(bytes + 8, &top, 2);
  }

  long double Value() const noexcept {
    long double value = 0;
    StoreTo(value);
    return value;
  }
};

}  // namespace corvane
