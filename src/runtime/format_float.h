// Number to text: FormatFloatKind (fixed styles) and FormatFloatMask (picture masks such as
// "#,##0.###"), both on one decimal digit generator (decimal_digits.h), both writing DecimalMark
// and ThousandsMark as they stand at the moment of the call.
//
// Data flow: value -> GenerateDecimalDigits (one extended scaling by decimal_scale.h, then integer
// work on 18 digits, rounded at the requested place) -> the style writer (format_float_kind.cpp
// for the general and fixed styles, format_float_mask.cpp for masks, which falls back to the
// general style for non-finite values and values of 10^18 or more).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

enum class TFloatFormatKind : int { General = 0, Fixed = 2 };

// Never fails; infinity and NaN print as "INF" and "NAN". Precision is clamped to 2..18. The fixed
// style writes exactly `digits` decimals (at most 18) and switches to the general style when the
// value has more integer digits than the precision: Fixed(12345678901, 10, 3) is "1.23456789E10".
std::string FormatFloatKind(long double value, TFloatFormatKind kind, std::int32_t precision,
                            std::int32_t digits);

// Sections "positive;negative;zero"; "0" and "#" digit placeholders, "." and "," for the marks,
// "E+0"/"E-0" for scientific form, quoted literal text. EConvertError "Format string too long"
// for a mask of more than 224 characters.
std::string FormatFloatMask(std::string_view mask, long double value);

}  // namespace corvane
