// The natural logarithm in extended precision for the simulation's hot loop, about three times
// faster here than the library's long double logarithm, which is built on a slow x87 instruction.
#pragma once

namespace corvane {

// ln x for a normal positive x, within about one unit in the last extended place. Zero, negative,
// infinite, NaN and denormal arguments are handed to std::log (so ln 0 = -inf, as there).
long double ExtendedLog(long double x);

}  // namespace corvane
