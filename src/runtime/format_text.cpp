#include "runtime/format_text.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "runtime/decimal_digits.h"
#include "runtime/errors.h"
#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

constexpr std::size_t kMaxDirectiveText = 31;
constexpr int kNoPrecision = -1;
// Integer precisions from here on leave the digits as they are.
constexpr int kIntegerPrecisionLimit = 16;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Decimal(std::uint64_t magnitude) {
  char digits[20];
  std::size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::string text(n, '0');
  for (std::size_t i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
  return text;
}

std::string Hexadecimal(std::uint64_t value, std::size_t min_digits) {
  std::string text;
  do {
    text.insert(text.begin(), "0123456789ABCDEF"[value & 15]);
    value >>= 4;
  } while (value != 0);
  if (text.size() < min_digits)
    text.insert(0, min_digits - text.size(), '0');
  return text;
}

// The integer's bits as "%u" and "%x" read them.
std::uint64_t UnsignedBits(const TFormatArg& arg) {
  return arg.integer_is_64_bit ? static_cast<std::uint64_t>(arg.integer)
                               : static_cast<std::uint32_t>(static_cast<std::int32_t>(arg.integer));
}

std::size_t MinDigits(int precision) {
  return precision >= 0 && precision < kIntegerPrecisionLimit ? static_cast<std::size_t>(precision) : 0;
}

// "%d": the "-" goes before the zeros a precision asks for ("%.3d" of -5 is "-005").
std::string SignedDecimal(std::int64_t value, int precision) {
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits = Decimal(magnitude);
  const std::size_t min_digits = MinDigits(precision);
  if (digits.size() < min_digits)
    digits.insert(0, min_digits - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

// "%p": eight digits as long as the address fits them, all of its digits otherwise.
std::string PointerText(const void* pointer) {
  const auto address = reinterpret_cast<std::uintptr_t>(pointer);
  return Hexadecimal(address, address > 0xFFFFFFFFu ? 2 * sizeof(address) : 8);
}

// Inserts ThousandsMark into the integer digits of a fixed-style text ("1234567.50").
std::string Grouped(std::string text) {
  const std::size_t begin = !text.empty() && text[0] == '-' ? 1 : 0;
  std::size_t end = begin;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  for (std::size_t i = end; i > begin + 3; i -= 3) text.insert(i - 3, 1, ThousandsMark());
  return text;
}

// "%e": d.ddd...E+ddd with `precision` significant digits.
std::string Scientific(long double value, int precision) {
  const TDecimalDigits d = GenerateDecimalDigits(value, precision, 9999);
  if (d.IsInfinity())
    return "INF";
  if (d.IsNotANumber())
    return "NAN";
  std::string digits = d.View().empty() ? std::string("0") : std::string(d.View());
  digits.resize(static_cast<std::size_t>(precision), '0');
  std::string text = d.Negative ? "-" : "";
  text += digits[0];
  if (digits.size() > 1)
    text += DecimalMark() + digits.substr(1);
  const int power = d.View().empty() ? 0 : d.Exponent - 1;
  const std::string magnitude = Decimal(static_cast<std::uint64_t>(power < 0 ? -power : power));
  return text + 'E' + (power < 0 ? '-' : '+') +
         std::string(magnitude.size() < 3 ? 3 - magnitude.size() : 0, '0') + magnitude;
}

std::string FloatText(long double value, char type, int precision) {
  const int decimals = precision == kNoPrecision ? 2 : std::clamp(precision, 0, TDecimalDigits::kMaxDigits);
  const int digits = precision == kNoPrecision ? 15 : std::clamp(precision, 2, TDecimalDigits::kMaxDigits);
  switch (type) {
    case 'e':
      return Scientific(value, digits);
    case 'g':
      return FormatFloatKind(value, TFloatFormatKind::General, digits, 0);
    case 'f':
      return FormatFloatKind(value, TFloatFormatKind::Fixed, TDecimalDigits::kMaxDigits, decimals);
    default:  // "n" and "m": grouped; no currency symbol is configured in this system
      return Grouped(FormatFloatKind(value, TFloatFormatKind::Fixed, TDecimalDigits::kMaxDigits, decimals));
  }
}

// One run of the template over the argument list.
class TTemplateWriter {
 public:
  TTemplateWriter(std::string_view format, std::span<const TFormatArg> args) : format_(format), args_(args) {}

  std::string Run() {
    while (pos_ < format_.size()) {
      const std::size_t percent = format_.find('%', pos_);
      out_.append(
          format_.substr(pos_, percent == std::string_view::npos ? std::string_view::npos : percent - pos_));
      if (percent == std::string_view::npos)
        break;
      pos_ = percent + 1;
      if (!Directive(percent))
        break;
    }
    return std::move(out_);
  }

 private:
  struct Field {
    bool present = false;
    bool star = false;
    int value = 0;
  };

  bool AtEnd() const { return pos_ >= format_.size(); }
  char Peek() const { return AtEnd() ? '\0' : format_[pos_]; }

  // Digits (saturating) or "*"; a "*" takes its argument only when resolved.
  Field ScanField() {
    Field field;
    if (Peek() == '*') {
      ++pos_;
      field.present = field.star = true;
      return field;
    }
    while (Peek() >= '0' && Peek() <= '9') {
      field.present = true;
      const int digit = format_[pos_++] - '0';
      field.value = field.value > (INT_MAX - digit) / 10 ? INT_MAX : field.value * 10 + digit;
    }
    return field;
  }

  // A "*" reads the next argument: its integer, or 0 for any other kind or a missing one.
  int Resolve(const Field& field) {
    if (!field.star)
      return field.value;
    const std::size_t i = next_++;
    if (i >= args_.size() || args_[i].kind != TFormatArg::Kind::Integer)
      return 0;
    return static_cast<int>(std::clamp<std::int64_t>(args_[i].integer, INT_MIN, INT_MAX));
  }

  // Reads one directive after its "%"; false when the template ends inside it.
  bool Directive(std::size_t percent) {
    if (Peek() == '%') {
      ++pos_;
      out_.push_back('%');
      return true;
    }
    Field field = ScanField();
    if (field.present && Peek() == ':') {
      const int index = Resolve(field);
      next_ = index < 0 ? args_.size() : static_cast<std::size_t>(index);
      ++pos_;
      field = Field{};
    }
    bool left = false;
    if (!field.present && Peek() == '-') {
      left = true;
      ++pos_;
    }
    if (!field.present)
      field = ScanField();
    const int width = field.present ? Resolve(field) : 0;
    int precision = kNoPrecision;
    if (Peek() == '.') {
      ++pos_;
      const Field p = ScanField();
      precision = p.present ? Resolve(p) : 0;
    }
    if (AtEnd())
      return false;
    const char type = Lower(format_[pos_++]);
    directive_ = format_.substr(percent, std::min(pos_ - percent, kMaxDirectiveText));
    if (width > kMaxFormatWidth)
      throw Invalid();
    Pad(Convert(type, precision), width, left);
    return true;
  }

  std::string Convert(char type, int precision) {
    using Kind = TFormatArg::Kind;
    switch (type) {
      case 'd':
        return SignedDecimal(Take(Kind::Integer).integer, precision);
      case 'u': {
        std::string digits = Decimal(UnsignedBits(Take(Kind::Integer)));
        const std::size_t min_digits = MinDigits(precision);
        return digits.size() < min_digits ? std::string(min_digits - digits.size(), '0') + digits : digits;
      }
      case 'x':
        return Hexadecimal(UnsignedBits(Take(Kind::Integer)), MinDigits(precision));
      case 'p':
        return PointerText(Take(Kind::Pointer).pointer);
      case 's':
        return Text(precision);
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm':
        return FloatText(Take(Kind::Extended).extended, type, precision);
      default:
        throw Invalid();
    }
  }

  std::string Text(int precision) {
    const TFormatArg& arg = Take();
    std::string_view text;
    if (arg.kind == TFormatArg::Kind::Char) {
      text = std::string_view(&arg.character, 1);
    } else if (arg.kind == TFormatArg::Kind::Text) {
      text = arg.text;
    } else {
      throw Invalid();
    }
    if (precision >= 0)
      text = text.substr(0, std::min(text.size(), static_cast<std::size_t>(precision)));
    return std::string(text);
  }

  const TFormatArg& Take() {
    if (next_ >= args_.size())
      throw EConvertError("No argument for format '" + std::string(directive_) + "'");
    return args_[next_++];
  }
  const TFormatArg& Take(TFormatArg::Kind kind) {
    const TFormatArg& arg = Take();
    if (arg.kind != kind)
      throw Invalid();
    return arg;
  }

  EConvertError Invalid() const {
    return EConvertError("Format '" + std::string(directive_) + "' invalid or incompatible with argument");
  }

  void Pad(const std::string& text, int width, bool left) {
    const std::size_t padding = width > 0 && text.size() < static_cast<std::size_t>(width)
                                    ? static_cast<std::size_t>(width) - text.size()
                                    : 0;
    if (!left)
      out_.append(padding, ' ');
    out_.append(text);
    if (left)
      out_.append(padding, ' ');
  }

  std::string_view format_;
  std::span<const TFormatArg> args_;
  std::size_t pos_ = 0;
  std::size_t next_ = 0;
  std::string_view directive_;
  std::string out_;
};

}  // namespace

std::string FormatText(std::string_view format, std::span<const TFormatArg> args) {
  return TTemplateWriter(format, args).Run();
}

std::string FormatText(std::string_view format, std::initializer_list<TFormatArg> args) {
  return FormatText(format, std::span<const TFormatArg>(args.begin(), args.size()));
}

}  // namespace corvane
