// The reaction-time reader on arbitrary text under arbitrary options: a mark, a column, groups,
// a filter, an order column and cutoffs. Every group it returns holds finite values above 0 within
// the cutoffs, its breaks ascending inside its series, and a rejected group names a line that
// exists; a rejection of the whole text is an EReactionTimeFormat naming a line that exists.
// Nothing else escapes, and the caller's floating-point flags stay clear.
//
// Input: a byte of choices (mark, column, grouping, order), a byte of columns (group, filter,
// order), a byte of cutoffs, the filter's value (a length byte, then its text), then the text.
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <string>

#include "analysis/reaction_time_groups.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  const std::uint8_t columns = input.Byte();
  const std::uint8_t cutoffs = input.Byte();
  const std::string filter(input.Text(16));
  TReadOptions options;
  static constexpr char kMarks[] = {'\0', '.', ',', ';'};
  options.DecimalMark = kMarks[choice & 3];
  if (choice & 4)
    options.Column = columns & 3;
  if (choice & 8)
    options.GroupBy.push_back((columns >> 2) & 3);
  if (choice & 16)
    options.GroupBy.push_back((columns >> 4) & 3);
  if (choice & 32)
    options.Filters.push_back({static_cast<std::size_t>((columns >> 6) & 3), filter});
  if (choice & 64)
    options.OrderBy = (columns >> 4) & 3;
  if (cutoffs & 1)
    options.Minimum = (cutoffs >> 1 & 7) * 0.25;
  if (cutoffs & 16)
    options.Maximum = (cutoffs >> 5) * 0.5;
  const std::string_view text = input.Rest();
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;

  std::feclearexcept(FE_ALL_EXCEPT);
  try {
    const TReactionTimeGroups read = ReadReactionTimeGroups(text, options);
    if (read.Groups.empty() || (options.GroupBy.empty() && read.Groups.size() != 1))
      __builtin_trap();
    for (const TReactionTimeGroup& group : read.Groups) {
      if (group.Keys.size() != options.GroupBy.size() || group.Values.size() > lines)
        __builtin_trap();
      if (!group.Read &&
          (group.Message.empty() || group.Line == 0 || group.Line > lines || !group.Values.empty()))
        __builtin_trap();
      for (const double v : group.Values)
        if (!std::isfinite(v) || !(v > 0) || v < options.Minimum || v > options.Maximum)
          __builtin_trap();
      if (!std::is_sorted(group.Breaks.begin(), group.Breaks.end()) ||
          (!group.Breaks.empty() &&
           (group.Breaks.front() == 0 || group.Breaks.back() >= group.Values.size())))
        __builtin_trap();
    }
  } catch (const EReactionTimeFormat& e) {
    if (e.Line() > lines || e.Message().empty())
      __builtin_trap();
  }
  if (std::fetestexcept(FE_INVALID | FE_DIVBYZERO) != 0)
    __builtin_trap();
  return 0;
}
