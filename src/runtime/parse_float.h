// Text to number: the one conversion the program performs on typed text. Strict about the shape of
// the text, reads DecimalMark at each call, accepts no grouping mark, stops at a NUL character.
#pragma once

#include <string_view>

namespace corvane {

// True and the value when the text is accepted; false otherwise (the value is then unspecified).
// Runs with the floating-point flags cleared before and after, the caller's state restored.
bool TryParseFloat(std::string_view text, long double& value) noexcept;

// TryParseFloat or EConvertError "'<text>' is not a valid floating point value".
long double ParseFloat(std::string_view text);

}  // namespace corvane
