// The runtime's power function, in extended precision, with the rules the simulation relies on.
#pragma once

namespace corvane {

// base^exponent, the first matching rule deciding:
//   exponent 0                                   -> 1 (even for a zero or NaN base)
//   base 0 and exponent > 0                      -> 0
//   integral exponent with |exponent| <= 2^31-1  -> repeated squaring, reciprocal when negative
//   otherwise                                    -> exp(exponent * ln base)
// Faults become errors instead of non-finite results: EZeroDivide for a zero base with a negative
// exponent, EInvalidOp for a NaN result (a negative base with a fractional exponent, NaN input),
// EOverflow for an infinite one. Underflow quietly gives 0 or a denormal.
long double Power(long double base, long double exponent);

}  // namespace corvane
