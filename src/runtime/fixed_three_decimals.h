// The run log's number form, FormatFloatKind(value, Fixed, 10, 3), on a fast path for the values
// a reaction mostly logs. It rounds value * 1000 exactly in integer arithmetic and writes the
// digits straight into the caller's buffer; values it does not take are left to FormatFloatKind.
#pragma once

#include <cstddef>

namespace corvane {

// The longest text WriteFixedThreeDecimals writes: "-9999999.999" and a little room.
inline constexpr std::size_t kFixedThreeDecimalsMaxLength = 16;

// Writes the text FormatFloatKind(value, TFloatFormatKind::Fixed, 10, 3) gives, with `mark` as the
// decimal mark, and returns the end of it. Takes 0 and 0.001 <= |value| < 10^7 except values
// within a millionth of a unit of a rounding tie at the third decimal, where the general digit
// generator's own rounding decides; for all others returns nullptr and writes nothing.
char* WriteFixedThreeDecimals(double value, char mark, char* out) noexcept;

}  // namespace corvane
