// The two-digit table the number writers share: the digits of n (0 .. 99) at kDigitPairs + 2 * n,
// so that a writer emits two digits per division.
#pragma once

namespace corvane {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

}  // namespace corvane
