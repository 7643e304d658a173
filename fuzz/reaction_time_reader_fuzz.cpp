// ReadReactionTimes on arbitrary text under an arbitrary mark and column: it either returns at
// least the minimum count of finite values above 0, or rejects with EReactionTimeFormat naming a
// line that exists; nothing else escapes, and the caller's floating-point flags stay clear.
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <string>

#include "analysis/reaction_time_reader.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  TReadOptions options;
  options.DecimalMark = (choice & 1) ? ',' : '.';
  if (choice & 2)
    options.Column = static_cast<std::size_t>(choice >> 2);
  const std::string_view text = input.Rest();
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;

  std::feclearexcept(FE_ALL_EXCEPT);
  try {
    const std::vector<double> values = ReadReactionTimes(text, options);
    if (values.size() < kMinimumReactionTimes || values.size() > lines)
      __builtin_trap();
    for (const double v : values)
      if (!std::isfinite(v) || !(v > 0))
        __builtin_trap();
  } catch (const EReactionTimeFormat& e) {
    if (e.Line() > lines || e.Message().empty())
      __builtin_trap();
  }
  if (std::fetestexcept(FE_INVALID | FE_DIVBYZERO) != 0)
    __builtin_trap();
  return 0;
}
