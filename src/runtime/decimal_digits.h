// The decimal digit generator shared by both floating formatters (format_float.h): a value becomes
// its leading significant digits, rounded at a given count of significant digits or decimals, and
// the decimal exponent that places them.
#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

struct TDecimalDigits {
  static constexpr std::int16_t kInfinity = 32767;
  static constexpr std::int16_t kNotANumber = -32768;
  static constexpr int kMaxDigits = 18;

  // For a finite non-zero value: value = 0.d1d2d3... * 10^Exponent, so a positive Exponent counts
  // the integer digits (1234.5 has 4, 0.0123 has -1). kInfinity and kNotANumber mark the others.
  std::int16_t Exponent = 0;
  bool Negative = false;
  // Up to 18 digits without trailing zeros, NUL-terminated; empty for zero and for values that
  // round to nothing at the requested position.
  char Digits[kMaxDigits + 1] = {};
  // The count of Digits, kept so that readers need not search for the NUL.
  std::uint8_t Length = 0;

  std::string_view View() const noexcept { return {Digits, Length}; }
  bool IsInfinity() const noexcept { return Exponent == kInfinity; }
  bool IsNotANumber() const noexcept { return Exponent == kNotANumber; }
};

// Digits of value rounded (half away from zero, on the 18-digit string) to at most `precision`
// significant digits and at most `decimals` digits after the decimal point. A value that rounds
// below the last requested decimal gives empty digits, Exponent 0 and no sign, except that one
// rounding exactly at the first digit keeps the sign (-0.0004 to 3 decimals stays negative).
// Values below the smallest normal extended number count as zero.
TDecimalDigits GenerateDecimalDigits(long double value, int precision, int decimals) noexcept;

}  // namespace corvane
