#include "runtime/extended_log.h"

#include <cmath>
#include <cstdint>

#include "runtime/extended_bits.h"

namespace corvane {

long double ExtendedLog(long double x) {
  const ExtendedBits bits = ExtendedBits::Of(x);
  if (bits.negative || bits.biased_exponent == 0 ||
      bits.biased_exponent == ExtendedBits::kMaxBiasedExponent ||
      !(bits.mantissa & ExtendedBits::kIntegerBit))
    return std::log(x);
  const LogParts ln = ExtendedLogParts(bits.mantissa, bits.biased_exponent - ExtendedBits::kBias);
  return ln.head + ln.tail;
}

}  // namespace corvane
