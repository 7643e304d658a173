#include <algorithm>
#include <array>
#include <climits>

#include "runtime/decimal_digits.h"
#include "runtime/errors.h"
#include "runtime/extended_bits.h"
#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

constexpr std::size_t kMaxMaskLength = 224;
constexpr int kMaxExponentDigits = 4;
constexpr int kUnlimitedDecimals = 9999;

bool IsQuote(char c) {
  return c == '\'' || c == '"';
}

// Index just after the quoted text that starts at `open` (a quote); an unclosed quote runs to the end.
std::size_t AfterQuoted(std::string_view text, std::size_t open) {
  const std::size_t close = text.find(text[open], open + 1);
  return close == std::string_view::npos ? text.size() : close + 1;
}

// "E+", "E-", "e+" or "e-" at i: the scientific marker. A bare "E" is literal text.
bool IsScientificMarker(std::string_view text, std::size_t i) {
  return (text[i] == 'E' || text[i] == 'e') && i + 1 < text.size() &&
         (text[i + 1] == '+' || text[i + 1] == '-');
}

// The count of "0"s from i on: the minimum exponent digit count after a marker's sign.
std::size_t ZerosFrom(std::string_view text, std::size_t i) {
  std::size_t n = 0;
  while (i + n < text.size() && text[i + n] == '0') ++n;
  return n;
}

// Up to three sections (positive; negative; zero), split at ";" outside quotes.
std::array<std::string_view, 3> SplitSections(std::string_view mask) {
  std::array<std::string_view, 3> sections{};
  std::size_t start = 0;
  std::size_t count = 0;
  for (std::size_t i = 0; i < mask.size();) {
    if (IsQuote(mask[i])) {
      i = AfterQuoted(mask, i);
    } else if (mask[i] == ';') {
      sections[count++] = mask.substr(start, i - start);
      start = ++i;
      if (count == sections.size())
        return sections;
    } else {
      ++i;
    }
  }
  sections[count] = mask.substr(start);
  return sections;
}

// What a section asks for, in digit placeholders ("#" and "0") counted from the left.
struct TSectionLayout {
  int placeholders = 0;
  int first_zero = INT_MAX;   // placeholder index of the first "0"
  int after_last_zero = 0;    // placeholder index just after the last "0"
  int decimal_position = -1;  // placeholders before the first "."
  bool grouping = false;
  bool scientific = false;

  static TSectionLayout Of(std::string_view section) {
    TSectionLayout layout;
    for (std::size_t i = 0; i < section.size();) {
      const char c = section[i];
      if (IsQuote(c)) {
        i = AfterQuoted(section, i);
        continue;
      }
      if (IsScientificMarker(section, i)) {
        layout.scientific = true;
        i += 2;
        i += ZerosFrom(section, i);
        continue;
      }
      if (c == '0') {
        layout.first_zero = std::min(layout.first_zero, layout.placeholders);
        layout.after_last_zero = layout.placeholders + 1;
      }
      if (c == '0' || c == '#')
        ++layout.placeholders;
      if (c == '.' && layout.decimal_position < 0)
        layout.decimal_position = layout.placeholders;
      if (c == ',')
        layout.grouping = true;
      ++i;
    }
    if (layout.decimal_position < 0)
      layout.decimal_position = layout.placeholders;
    return layout;
  }

  TDecimalDigits Digits(long double value) const {
    return scientific
               ? GenerateDecimalDigits(value, placeholders, kUnlimitedDecimals)
               : GenerateDecimalDigits(value, TDecimalDigits::kMaxDigits, placeholders - decimal_position);
  }
};

// Writes one section for the generated digits, left to right.
class TSectionWriter {
 public:
  TSectionWriter(const TSectionLayout& layout, const TDecimalDigits& digits, std::string& out)
      : layout_(layout),
        digits_(digits.View()),
        exponent_(digits_.empty() ? 0 : digits.Exponent),
        // Integer positions count down from here to 1; fraction positions continue with 0, -1, ...
        placed_exponent_(layout.scientific ? layout.decimal_position : exponent_),
        start_(std::max(placed_exponent_, layout.decimal_position)),
        decimal_mark_(DecimalMark()),
        thousands_mark_(ThousandsMark()),
        out_(out) {}

  void Write(std::string_view section) {
    for (std::size_t i = 0; i < section.size();) {
      const char c = section[i];
      if (IsQuote(c)) {
        const std::size_t close = std::min(section.find(c, i + 1), section.size());
        out_.append(section.substr(i + 1, close - (i + 1)));  // without its quotes
        i = close + 1;
      } else if (IsScientificMarker(section, i)) {
        const std::size_t zeros = ZerosFrom(section, i + 2);
        WriteExponent(section[i], section[i + 1] == '+',
                      static_cast<int>(std::min<std::size_t>(zeros, kMaxExponentDigits)));
        i += 2 + zeros;
      } else {
        if (c == '#' || c == '0') {
          WritePlaceholder();
        } else if (c != '.' && c != ',') {
          out_.push_back(c);
        }
        ++i;
      }
    }
  }

 private:
  // The first placeholder also takes every integer digit beyond the integer placeholders.
  void WritePlaceholder() {
    const int index = placeholder_++;
    const int last = layout_.decimal_position - index;
    for (int position = index == 0 ? start_ : last; position >= last; --position)
      WritePosition(position, index);
  }

  void WritePosition(int position, int index) {
    const char c = position >= 1 ? IntegerChar(position, index) : FractionChar(position, index);
    if (c == '\0')
      return;
    if (position < 1 && !mark_written_) {
      out_.push_back(decimal_mark_);
      mark_written_ = true;
    }
    out_.push_back(c);
    if (position > 1 && position % 3 == 1 && layout_.grouping)
      out_.push_back(thousands_mark_);
  }

  // '\0' for nothing written.
  char IntegerChar(int position, int index) const {
    const int j = placed_exponent_ - position;
    if (digits_.empty() || j < 0)
      return index >= layout_.first_zero ? '0' : '\0';
    return j < static_cast<int>(digits_.size()) ? digits_[static_cast<std::size_t>(j)] : '0';
  }

  char FractionChar(int position, int index) const {
    const int j = placed_exponent_ - position;
    if (!digits_.empty() && j < 0)
      return '0';  // between the mark and the first digit
    if (!digits_.empty() && j < static_cast<int>(digits_.size()))
      return digits_[static_cast<std::size_t>(j)];
    return index < layout_.after_last_zero ? '0' : '\0';
  }

  void WriteExponent(char letter, bool plus, int min_digits) {
    const int power = digits_.empty() ? 0 : exponent_ - layout_.decimal_position;
    out_.push_back(letter);
    if (power < 0) {
      out_.push_back('-');
    } else if (plus) {
      out_.push_back('+');
    }
    const std::string magnitude = std::to_string(power < 0 ? -power : power);
    out_.append(static_cast<std::size_t>(std::max(0, min_digits - static_cast<int>(magnitude.size()))), '0');
    out_.append(magnitude);
  }

  const TSectionLayout& layout_;
  std::string_view digits_;
  int exponent_;
  int placed_exponent_;
  int start_;
  char decimal_mark_;
  char thousands_mark_;
  std::string& out_;
  int placeholder_ = 0;
  bool mark_written_ = false;
};

std::string GeneralFallback(long double value) {
  return FormatFloatKind(value, TFloatFormatKind::General, 15, 0);
}

}  // namespace

std::string FormatFloatMask(std::string_view mask, long double value) {
  if (mask.size() > kMaxMaskLength)
    throw EConvertError("Format string too long");
  const std::array<std::string_view, 3> sections = SplitSections(mask);
  const TExtendedBits bits = TExtendedBits::Of(value);
  const bool zero = bits.biased_exponent == 0 && bits.mantissa == 0;
  std::size_t chosen = zero ? 2 : (bits.negative ? 1 : 0);
  if (sections[chosen].empty())
    chosen = 0;
  if (sections[0].empty())
    return GeneralFallback(value);

  TSectionLayout layout = TSectionLayout::Of(sections[chosen]);
  const TDecimalDigits digits = layout.Digits(value);
  if (digits.IsInfinity() || digits.IsNotANumber() ||
      (!layout.scientific && digits.Exponent > TDecimalDigits::kMaxDigits)) {
    return GeneralFallback(value);
  }
  if (digits.View().empty()) {  // rounds to zero: the zero section if there is one
    const std::size_t zero_section = sections[2].empty() ? 0 : 2;
    if (zero_section != chosen) {
      chosen = zero_section;
      layout = TSectionLayout::Of(sections[chosen]);
    }
  }

  std::string out;
  out.reserve(mask.size() + 32);
  if (digits.Negative && chosen == 0)
    out.push_back('-');
  TSectionWriter(layout, digits, out).Write(sections[chosen]);
  return out;
}

}  // namespace corvane
