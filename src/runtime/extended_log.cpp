#include "runtime/extended_log.h"

#include <cmath>
#include <cstdint>

#include "runtime/extended_bits.h"

namespace corvane {

long double ExtendedLog(long double x) {
  const TExtendedBits bits = TExtendedBits::Of(x);
  if (bits.negative || bits.biased_exponent == 0 ||
      bits.biased_exponent == TExtendedBits::kMaxBiasedExponent ||
      !(bits.mantissa & TExtendedBits::kIntegerBit))
    return std::log(x);
  const TLogParts ln = ExtendedLogParts(bits.mantissa, bits.biased_exponent - TExtendedBits::kBias);
  return ln.head + ln.tail;
}

}  // namespace corvane
