#include "runtime/float_checks.h"

#include <cmath>
#include <limits>

#include "runtime/errors.h"

namespace corvane {

void TFloatFaultCheck::Check() const {
  const int raised = std::fetestexcept(kWatched);
  if (raised == 0)
    return;
  std::feclearexcept(kWatched);
  if (raised & FE_INVALID)
    throw EInvalidOp();
  if (raised & FE_DIVBYZERO)
    throw EZeroDivide();
  throw EOverflow();
}

double StoreDouble(long double value) {
  if (std::isnan(value))
    throw EInvalidOp();
  // Values that round to the largest double still fit; only those that would round to infinity
  // overflow. The halfway point between DBL_MAX and 2^1024 rounds up (ties to even).
  constexpr long double kOverflowBound =
      static_cast<long double>(std::numeric_limits<double>::max()) + 0x1p970L;
  if (std::fabs(value) >= kOverflowBound)
    throw EOverflow();
  return static_cast<double>(value);
}

}  // namespace corvane
