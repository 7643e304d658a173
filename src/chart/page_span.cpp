#include "chart/page_span.h"

#include <algorithm>
#include <cassert>

namespace corvane {

TPageSpan PageSpan(int count, int per_page, int page) {
  assert(count > 0 && per_page > 0);
  long long first = static_cast<long long>(per_page) * (std::max(page, 1) - 1);
  if (first >= count)
    first = static_cast<long long>(std::max(0, count / per_page - 1)) * per_page;
  long long last = first + per_page - 1;
  if (last > count - 1)
    last = first + count % per_page - 1;
  return {static_cast<int>(first), static_cast<int>(last)};
}

double PagedMaximum(double first_value, double last_value, TPageSpan span, int per_page,
                    bool scale_last_page) {
  if (scale_last_page || span.Count() >= per_page)
    return last_value;
  const long double stretched =
      first_value + (static_cast<long double>(last_value) - first_value) * per_page / span.Count();
  return static_cast<double>(stretched);
}

}  // namespace corvane
