#include "simulation/period_line.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "runtime/fixed_three_decimals.h"
#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

// Two counters of at most 11 characters, the labels (under 60) and six numbers, each at most 48
// characters in the general style.
constexpr std::size_t kLineCapacity = 384;

char* Put(std::string_view text, char* out) noexcept {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// What FormatText makes of "%6d": right-aligned to six places, written whole when longer.
char* PutCounter(std::string_view label, std::int32_t value, char* out) noexcept {
  out = Put(label, out);
  char digits[12];
  const std::size_t length =
      static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
  if (length < 6) {
    std::memset(out, ' ', 6 - length);
    out += 6 - length;
  }
  return Put({digits, length}, out);
}

// FormatFloatKind(value, Fixed, 10, 3): the fast path for the common values, the general formatter
// for the rest.
char* PutNumber(std::string_view label, double value, char mark, char* out) {
  out = Put(label, out);
  if (char* end = WriteFixedThreeDecimals(value, mark, out))
    return end;
  return Put(FormatFloatKind(value, TFloatFormatKind::Fixed, 10, 3), out);
}

}  // namespace

std::string FormatPeriodLine(const TPeriodRecord& record) {
  const char mark = DecimalMark();
  char line[kLineCapacity];
  char* out = PutCounter("N=", record.N, line);
  out = PutCounter(" K=", record.K, out);
  out = PutNumber(" Y-Begin=", record.YBegin, mark, out);
  out = PutNumber(" Y-End=", record.YEnd, mark, out);
  out = PutNumber(record.K == kWorkPeriod ? " WTerm=" : " DTerm=", record.Term, mark, out);
  out = PutNumber(" Subtotal=", record.Subtotal, mark, out);
  out = PutNumber(" YValue=", record.YValue, mark, out);
  out = PutNumber(" asom=", record.asom, mark, out);
  return std::string(line, static_cast<std::size_t>(out - line));
}

}  // namespace corvane
