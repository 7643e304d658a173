// TryParseFloat and ParseFloat on arbitrary text under arbitrary marks: both must agree, accepted
// values must be finite, rejections must be the documented EConvertError naming the whole text,
// and the caller's floating-point flags must come back unchanged.
#include <cfenv>
#include <cmath>
#include <string>

#include "fuzz_input.h"
#include "runtime/errors.h"
#include "runtime/number_format_settings.h"
#include "runtime/parse_float.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  fuzz::FuzzInput input(data, size);
  const auto [decimal, thousands] = fuzz::Marks(input.Byte());
  TScopedNumberFormat format(decimal, thousands);
  const std::string_view text = input.Rest();

  std::feclearexcept(FE_ALL_EXCEPT);
  long double value = 0;
  const bool accepted = TryParseFloat(text, value);
  if (std::fetestexcept(FE_ALL_EXCEPT) != 0)
    __builtin_trap();
  if (accepted && !std::isfinite(value))
    __builtin_trap();
  try {
    const long double again = ParseFloat(text);
    if (!accepted)
      __builtin_trap();
    if (!(again == value) && !(std::isnan(again) && std::isnan(value)))
      __builtin_trap();
  } catch (const EConvertError& e) {
    if (accepted)
      __builtin_trap();
    if (e.Message() != "'" + std::string(text) + "' is not a valid floating point value")
      __builtin_trap();
  }
  return 0;
}
