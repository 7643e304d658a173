// FormatFloatMask (and FormatFloatKind beside it) on any 80-bit pattern and any mask: the only
// permitted failure is "Format string too long" for a mask beyond 224 characters.
#include <string>

#include "fuzz_input.h"
#include "runtime/errors.h"
#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  fuzz::FuzzInput input(data, size);
  const auto [decimal, thousands] = fuzz::Marks(input.Byte());
  TScopedNumberFormat format(decimal, thousands);
  const long double value = input.Extended();
  const auto kind = static_cast<TFloatFormatKind>(input.Byte() % 5);
  const auto precision = static_cast<std::int32_t>(static_cast<std::int8_t>(input.Byte()));
  const auto digits = input.Raw<std::int32_t>();
  const std::string_view mask = input.Rest();

  const std::string kind_text = FormatFloatKind(value, kind, precision, digits);
  if (kind_text.empty() || kind_text.size() > 40)
    __builtin_trap();
  try {
    const std::string text = FormatFloatMask(mask, value);
    if (mask.size() > 224)
      __builtin_trap();
    // Each "E+" of two characters may write six ("E+4931").
    if (text.size() > 3 * mask.size() + 64)
      __builtin_trap();
  } catch (const EConvertError& e) {
    if (mask.size() <= 224 || e.Message() != "Format string too long")
      __builtin_trap();
  }
  return 0;
}
