#include "chart/segment_hit.h"

#include <algorithm>
#include <cstdlib>

namespace corvane {

bool SegmentHit(TPoint a, TPoint b, TPoint p) {
  if (a == b)
    return false;
  if (p.X < std::min(a.X, b.X) || p.X > std::max(a.X, b.X) || p.Y < std::min(a.Y, b.Y) ||
      p.Y > std::max(a.Y, b.Y))
    return false;
  const long long dx = static_cast<long long>(b.X) - a.X;
  const long long dy = static_cast<long long>(b.Y) - a.Y;
  const long long cross = dx * (static_cast<long long>(p.Y) - a.Y) - dy * (static_cast<long long>(p.X) - a.X);
  return std::llabs(cross) < std::max(std::llabs(dx), std::llabs(dy));
}

}  // namespace corvane
