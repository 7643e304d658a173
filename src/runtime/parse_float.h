// Text to number: the one conversion the program performs on typed text. Strict about the shape of
// the text, reads DecimalMark at each call, accepts no grouping mark, stops at a NUL character.
//
// TryParseFloat scans the shape (blanks, sign, digits, mark, digits, exponent, blanks), folds the
// digits into an accumulator and scales it by a power of ten (decimal_scale.h). Short texts with a
// small scale take an exact integer path; the rest computes in extended arithmetic.
#pragma once

#include <string_view>

namespace corvane {

// True and the value when the text is accepted; false otherwise (the value is then unspecified).
// Computes with every exception masked, extended precision and rounding to nearest, and leaves the
// caller's floating-point controls and flags exactly as they were: overflow shows only as rejection.
bool TryParseFloat(std::string_view text, long double& value) noexcept;

// TryParseFloat or EConvertError "'<text>' is not a valid floating point value".
long double ParseFloat(std::string_view text);

}  // namespace corvane
