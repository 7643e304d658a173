#include "runtime/parse_float.h"

#include <fpu_control.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "runtime/decimal_scale.h"
#include "runtime/errors.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

// The x87 status word keeps its flags at the positions the fenv flags have on this platform.
static_assert(FE_INVALID == 0x01 && FE_DIVBYZERO == 0x04 && FE_OVERFLOW == 0x08 && FE_UNDERFLOW == 0x10 &&
              FE_INEXACT == 0x20);

// The conversion's private floating-point environment: every exception masked, extended precision,
// rounding to nearest, and on return the caller's controls and flags exactly as they were. Only the
// x87 unit computes here (extended values), so only its control and status words are touched:
// saving and restoring the whole environment would cost several times a whole conversion.
class TPrivateFloatEnvironment {
 public:
  TPrivateFloatEnvironment() noexcept {
    _FPU_GETCW(caller_control_);
    if (caller_control_ != kControl) {
      fpu_control_t control = kControl;
      _FPU_SETCW(control);
    }
    __asm__ volatile("fnstsw %0" : "=a"(caller_status_));
  }
  TPrivateFloatEnvironment(const TPrivateFloatEnvironment&) = delete;
  TPrivateFloatEnvironment& operator=(const TPrivateFloatEnvironment&) = delete;

  // Takes the result so that its computation is complete before the flags are read. Clears the
  // flags the conversion raised (inexact, underflow, overflow, denormal) and puts the caller's back.
  void Finish(long double result) noexcept {
    std::uint16_t status;
    __asm__ volatile("fnstsw %0" : "=a"(status) : "f"(result));
    if ((status & kFlagBits) != (caller_status_ & kFlagBits)) {
      __asm__ volatile("fnclex");
      if (const int caller_flags = caller_status_ & FE_ALL_EXCEPT)
        std::feraiseexcept(caller_flags);
    }
    if (caller_control_ != kControl)
      _FPU_SETCW(caller_control_);
  }

 private:
  // All exceptions masked, 64-bit mantissa, round to nearest.
  static constexpr fpu_control_t kControl = _FPU_DEFAULT;
  static constexpr std::uint16_t kFlagBits = 0x3F;  // the six x87 exception flags
  fpu_control_t caller_control_;
  std::uint16_t caller_status_;
};

// Reading of exponent digits stops once the exponent has reached this; later digits are left over
// and reject the text ("1e5000"), so the exponent stays below 5000.
constexpr int kExponentStop = 500;

// What an accepted text says: sign, digit runs before and after the decimal mark, exponent.
struct TNumberShape {
  bool negative = false;
  std::string_view integer_digits;
  std::string_view fraction_digits;
  std::int64_t exponent = 0;

  // The decimal scale n = e - f. Scales beyond these bounds give 0 or overflow alike; the clamp
  // keeps them in an int.
  int Scale() const noexcept {
    constexpr std::int64_t kLimit = std::int64_t{1} << 30;
    const std::int64_t n = exponent - static_cast<std::int64_t>(fraction_digits.size());
    return static_cast<int>(n < -kLimit ? -kLimit : (n > kLimit ? kLimit : n));
  }
};

// Checks the shape of the text, left to right: blanks, sign, digits, decimal mark and digits,
// exponent, blanks. Only the space counts as a blank. The text ends at its first NUL.
class TShapeScanner {
 public:
  TShapeScanner(std::string_view text, char decimal_mark) noexcept
      : text_(text.substr(0, text.find('\0'))), decimal_mark_(decimal_mark) {}

  std::optional<TNumberShape> Scan() noexcept {
    TNumberShape shape;
    SkipBlanks();
    shape.negative = Take('-');
    if (!shape.negative)
      Take('+');
    shape.integer_digits = DigitRun();
    const bool mark = Take(decimal_mark_);
    if (mark)
      shape.fraction_digits = DigitRun();
    if (shape.integer_digits.empty() && !mark)
      return std::nullopt;
    if (Take('E') || Take('e'))
      shape.exponent = Exponent();
    SkipBlanks();
    if (pos_ != text_.size())
      return std::nullopt;
    return shape;
  }

 private:
  bool AtDigit() const noexcept { return pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9'; }

  bool Take(char c) noexcept {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  void SkipBlanks() noexcept {
    while (Take(' ')) {
    }
  }

  std::string_view DigitRun() noexcept {
    const std::size_t start = pos_;
    while (AtDigit()) ++pos_;
    return text_.substr(start, pos_ - start);
  }

  // "E" alone or with a sign alone means exponent 0.
  std::int64_t Exponent() noexcept {
    const bool negative = Take('-');
    if (!negative)
      Take('+');
    std::int64_t e = 0;
    while (e < kExponentStop && AtDigit()) e = e * 10 + (text_[pos_++] - '0');
    return negative ? -e : e;
  }

  std::string_view text_;
  char decimal_mark_;
  std::size_t pos_ = 0;
};

// Every step accumulator * 10 + digit is exact while the result fits 64 bits.
constexpr std::uint64_t kExactFoldLimit = (std::numeric_limits<std::uint64_t>::max() - 9) / 10;

// Folds digits into the integer accumulator while that stays exact; returns the digits left over.
std::string_view FoldIntoInteger(std::string_view digits, std::uint64_t& accumulator) noexcept {
  std::size_t i = 0;
  for (; i < digits.size() && accumulator <= kExactFoldLimit; ++i) {
    accumulator = accumulator * 10 + static_cast<unsigned>(digits[i] - '0');
  }
  return digits.substr(i);
}

// The accumulator when all digits fold exactly into 64 bits.
std::optional<std::uint64_t> FoldExactly(const TNumberShape& shape) noexcept {
  std::uint64_t accumulator = 0;
  if (!FoldIntoInteger(shape.integer_digits, accumulator).empty())
    return std::nullopt;
  if (!FoldIntoInteger(shape.fraction_digits, accumulator).empty())
    return std::nullopt;
  return accumulator;
}

long double FoldIntoExtended(std::string_view digits, long double accumulator) noexcept {
  for (char c : digits) accumulator = accumulator * 10 + static_cast<long double>(c - '0');
  return accumulator;
}

// The accumulator in extended precision, each multiplication and addition rounded on its own.
// It starts on integers, which give the same result for as long as they are exact.
long double FoldExtended(const TNumberShape& shape) noexcept {
  std::uint64_t integer = 0;
  const std::string_view integer_rest = FoldIntoInteger(shape.integer_digits, integer);
  const std::string_view fraction_rest =
      integer_rest.empty() ? FoldIntoInteger(shape.fraction_digits, integer) : shape.fraction_digits;
  long double accumulator = static_cast<long double>(integer);
  accumulator = FoldIntoExtended(integer_rest, accumulator);
  return FoldIntoExtended(fraction_rest, accumulator);
}

// The general case: long digit strings and large scales, in real extended arithmetic.
bool ConvertExtended(const TNumberShape& shape, long double& value) noexcept {
  TPrivateFloatEnvironment environment;
  long double result = ScaleByPowerOfTen(FoldExtended(shape), shape.Scale());
  if (shape.negative)
    result = -result;
  // Masked overflow always yields infinity, and once infinite the value stays so through the later
  // steps (products and quotients by finite powers, sums with digits). No step can be invalid (no
  // zero factor, no difference of infinities), so an infinite result is exactly the fault case.
  const bool accepted = !std::isinf(result);
  environment.Finish(result);
  if (accepted)
    value = result;
  return accepted;
}

}  // namespace

bool TryParseFloat(std::string_view text, long double& value) noexcept {
  const std::optional<TNumberShape> shape = TShapeScanner(text, DecimalMark()).Scan();
  if (!shape)
    return false;
  // Most texts are short digit strings with a small scale: one rounded operation on exact
  // operands, reproduced on integers without touching the floating-point unit at all.
  if (const std::optional<std::uint64_t> integer = FoldExactly(*shape)) {
    if (const auto exact = ScaleIntegerCorrectlyRounded(*integer, shape->Scale(), shape->negative)) {
      exact->StoreTo(value);
      return true;
    }
  }
  return ConvertExtended(*shape, value);
}

long double ParseFloat(std::string_view text) {
  long double value = 0;
  if (!TryParseFloat(text, value)) {
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  }
  return value;
}

}  // namespace corvane
