#include "runtime/float_environment.h"

#include <cfenv>
#include <cstdint>

namespace corvane {

void InitFloatingPointEnvironment() noexcept {
  std::fesetround(FE_TONEAREST);
  std::feclearexcept(FE_ALL_EXCEPT);
#if defined(__x86_64__) || defined(__i386__)
  // x87 control word: all exceptions masked (bits 0-5), precision control 11 (64-bit mantissa),
  // rounding control 00 (nearest).
  std::uint16_t control = 0;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  control = static_cast<std::uint16_t>((control & ~0x0F00u) | 0x0300u | 0x003Fu);
  __asm__ volatile("fldcw %0" : : "m"(control));
#endif
}

}  // namespace corvane
