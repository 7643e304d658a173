// Floating-point faults without hardware traps: the traps stay masked (Qt and the C library are
// not written for them), and our own computations clear the sticky flags, compute, and then turn
// an invalid operation, a division by zero or an overflow into the matching error.
#pragma once

#include <cfenv>

namespace corvane {

// Clears the invalid, divide-by-zero and overflow flags on construction; Check() throws
// EInvalidOp, EZeroDivide or EOverflow (in that order of precedence) for a flag raised since.
class TFloatFaultCheck {
 public:
  TFloatFaultCheck() noexcept { std::feclearexcept(kWatched); }
  void Check() const;

  static constexpr int kWatched = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
};

// Stores an extended value into a double as the program's stores do: a finite value beyond the
// double range raises EOverflow "Floating point overflow"; values below it become 0 or denormal.
double StoreDouble(long double value);

}  // namespace corvane
