#include "chart/shown_range.h"

namespace corvane {

TShownRange ShownRange(const TChartValueList& x_values, double low, double high, bool draws_beyond_edge) {
  const int count = x_values.Count();
  TShownRange range;
  int first = 0;
  while (first < count && !(x_values.ValueAt(first) >= low)) ++first;
  if (first == count)
    return range;
  range.First = first;
  if (x_values.ValueAt(count - 1) <= high) {
    range.Last = count - 1;
    return range;
  }
  int last = first;
  while (last < count - 1 && !(x_values.ValueAt(last) >= high)) ++last;
  if (!draws_beyond_edge && x_values.ValueAt(last) > high) {
    // Stepping back below First would leave Last < First: no point lies within the edges.
    if (last == first)
      return {};
    --last;
  }
  range.Last = last;
  return range;
}

}  // namespace corvane
