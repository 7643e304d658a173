// The points of a series that a paint visits: from the first whose X reaches the left edge value
// up to the first at or beyond the right edge value, so that the line runs on to the point past
// the edge and the clipping cuts it there.
//
// Example: X = 0, 1, ..., 10, edges 2.5 .. 6.5: First 3 (X 3), Last 7 (X 7); without
// DrawsBeyondEdge, Last 6.
#pragma once

#include "chart/value_list.h"

namespace corvane {

struct TShownRange {
  int First = -1;
  int Last = -1;
  bool operator==(const TShownRange&) const = default;
};

// Scans up from index 0 (the list is meant to be ascending); First is -1 when no X reaches
// `low`, and both are -1 for an empty list.
TShownRange ShownRange(const TChartValueList& x_values, double low, double high, bool draws_beyond_edge);

}  // namespace corvane
