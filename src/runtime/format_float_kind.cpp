#include <algorithm>

#include "runtime/decimal_digits.h"
#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"
#include "runtime/short_text.h"

namespace corvane {
namespace {

// Sign, 18 integer digits, the mark and 18 decimals are the longest a style writes.
using TFloatText = TShortText<48>;

// Digits for the first `count` positions, padded with "0" once the digit string runs out.
void PutPaddedDigits(std::string_view digits, std::size_t count, TFloatText& out) {
  const std::size_t shown = std::min(digits.size(), count);
  out.Put(digits.substr(0, shown));
  out.PutRepeated('0', count - shown);
}

// Scientific form: "1.5E20", "1E-5"; no "+" for a positive exponent.
void PutScientific(std::string_view digits, int exponent, char mark, TFloatText& out) {
  out.Put(digits[0]);
  if (digits.size() > 1) {
    out.Put(mark);
    out.Put(digits.substr(1));
  }
  out.Put('E');
  int power = exponent - 1;
  if (power < 0) {
    out.Put('-');
    power = -power;
  }
  out.PutDecimal(static_cast<unsigned>(power));
}

void PutGeneral(const TDecimalDigits& d, int precision, char mark, TFloatText& out) {
  const std::string_view digits = d.View();
  const int exponent = d.Exponent;
  if (d.Negative)
    out.Put('-');
  if (digits.empty()) {  // only when a negative decimal count rounded everything away
    out.Put('0');
  } else if (exponent > precision || exponent < -3) {
    PutScientific(digits, exponent, mark, out);
  } else if (exponent > 0) {
    PutPaddedDigits(digits, static_cast<std::size_t>(exponent), out);
    if (digits.size() > static_cast<std::size_t>(exponent)) {
      out.Put(mark);
      out.Put(digits.substr(static_cast<std::size_t>(exponent)));
    }
  } else {
    out.Put('0');
    out.Put(mark);
    out.PutRepeated('0', static_cast<std::size_t>(-exponent));
    out.Put(digits);
  }
}

// Exactly `decimals` decimals, no grouping: 12345678.9876 to 3 decimals is "12345678.990".
// Precondition: Exponent <= 18 (larger values are written in the general style).
void PutFixed(const TDecimalDigits& d, int decimals, char mark, TFloatText& out) {
  const std::string_view digits = d.View();
  const int exponent = d.Exponent;
  decimals = std::min(decimals, TDecimalDigits::kMaxDigits);
  if (d.Negative)
    out.Put('-');
  std::string_view fraction = digits;
  if (exponent <= 0) {
    out.Put('0');
  } else {
    PutPaddedDigits(digits, static_cast<std::size_t>(exponent), out);
    fraction = digits.substr(std::min(digits.size(), static_cast<std::size_t>(exponent)));
  }
  if (decimals <= 0)
    return;
  out.Put(mark);
  const int leading_zeros = exponent < 0 ? std::min(-exponent, decimals) : 0;
  out.PutRepeated('0', static_cast<std::size_t>(leading_zeros));
  PutPaddedDigits(fraction, static_cast<std::size_t>(decimals - leading_zeros), out);
}

// No decimal limit for the general style.
constexpr int kUnlimitedDecimals = 9999;

}  // namespace

std::string FormatFloatKind(long double value, TFloatFormatKind kind, std::int32_t precision,
                            std::int32_t digits) {
  precision = std::clamp(precision, 2, TDecimalDigits::kMaxDigits);
  const bool fixed = kind == TFloatFormatKind::Fixed;
  const TDecimalDigits d = GenerateDecimalDigits(value, precision, fixed ? digits : kUnlimitedDecimals);
  if (d.IsInfinity())
    return "INF";
  if (d.IsNotANumber())
    return "NAN";
  const char mark = DecimalMark();
  TFloatText out;
  if (fixed && d.Exponent <= precision) {
    PutFixed(d, digits, mark, out);
  } else {
    PutGeneral(d, precision, mark, out);
  }
  return out.Str();
}

}  // namespace corvane
