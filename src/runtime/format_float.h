// Number to text: FormatFloatKind (fixed styles) and FormatFloatMask (picture masks such as
// "#,##0.###"), both on one decimal digit generator (decimal_digits.h), both writing DecimalMark
// and ThousandsMark as they stand at the moment of the call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

enum class FloatFormatKind : int { General = 0, Fixed = 2 };

// Never fails; infinity and NaN print as "INF" and "NAN".
std::string FormatFloatKind(long double value, FloatFormatKind kind, std::int32_t precision,
                            std::int32_t digits);

// EConvertError "Format string too long" for a mask of more than 224 characters.
std::string FormatFloatMask(std::string_view mask, long double value);

}  // namespace corvane
