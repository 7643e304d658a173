// Paging arithmetic: which points of a series form the shown page when a chart shows at most
// MaxPointsPerPage points at a time.
#pragma once

namespace corvane {

struct TPageSpan {
  int First = 0;
  int Last = 0;
  int Count() const { return Last - First + 1; }
};

// The page's first index is per_page * (page - 1); a page past the end shows the last full page
// (count div per_page - 1, at least page 1); the last index stops at the final point. Pages
// below 1 count as page 1. Preconditions: count > 0, per_page > 0.
// Example: 25 points, 10 per page: page 3 is 20..24, page 5 is 10..19.
TPageSpan PageSpan(int count, int per_page, int page);

// The upper bound of a paged axis: the last value, or, when the last page is not scaled on its
// own (ScaleLastPage False) and holds fewer than per_page points, stretched to
// first + (last - first) * per_page / points, so a short page keeps the full page's scale.
double PagedMaximum(double first_value, double last_value, TPageSpan span, int per_page,
                    bool scale_last_page);

}  // namespace corvane
