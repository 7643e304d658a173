// FormatText on any template with up to six arguments of any kind: the only permitted failures
// are the two documented EConvertError messages.
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "runtime/errors.h"
#include "runtime/format_text.h"
#include "runtime/number_format_settings.h"

namespace {

corvane::TFormatArg Argument(corvane::fuzz::FuzzInput& input) {
  switch (input.Byte() % 6) {
    case 0:
      return corvane::TFormatArg(input.Raw<std::int32_t>());
    case 1:
      return corvane::TFormatArg(input.Raw<std::int64_t>());
    case 2:
      return corvane::TFormatArg(static_cast<char>(input.Byte()));
    case 3:
      return corvane::TFormatArg(input.Text(64));
    case 4:
      return corvane::TFormatArg(reinterpret_cast<const void*>(input.Raw<std::uintptr_t>()));
    default:
      return corvane::TFormatArg(input.Extended());
  }
}

bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  fuzz::FuzzInput input(data, size);
  const auto [decimal, thousands] = fuzz::Marks(input.Byte());
  TScopedNumberFormat format(decimal, thousands);
  std::vector<TFormatArg> args;
  for (int n = input.Byte() % 7; n > 0; --n) args.push_back(Argument(input));
  const std::string_view templ = input.Rest();
  try {
    const std::string text = FormatText(templ, args);
    (void)text;
  } catch (const EConvertError& e) {
    const std::string& m = e.Message();
    if (!StartsWith(m, "Format '") && !StartsWith(m, "No argument for format '"))
      __builtin_trap();
  }
  return 0;
}
