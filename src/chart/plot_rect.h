// The plot rectangle's rules as plain functions, shared by the panel and the axis arithmetic.
#pragma once

#include <limits>

#include "framework/rect.h"

namespace corvane {

// (a + b) div 2, truncating toward zero: the centre of (-5, 0) is -2.
constexpr int PixelMidpoint(int a, int b) {
  return static_cast<int>((static_cast<long long>(a) + b) / 2);
}

// One pixel past an edge, staying inside the int range.
constexpr int NextPixel(int edge) {
  return edge < std::numeric_limits<int>::max() ? edge + 1 : edge;
}

// Left and Top are raised to the bounds' Left and Top when below them; Right becomes Left + 1
// when below Left, Bottom becomes Top + 1 when below Top. A zero width or height stays.
constexpr TRect NormalizedPlotRect(TRect r, const TRect& bounds) {
  if (r.Left < bounds.Left)
    r.Left = bounds.Left;
  if (r.Top < bounds.Top)
    r.Top = bounds.Top;
  if (r.Right < r.Left)
    r.Right = NextPixel(r.Left);
  if (r.Bottom < r.Top)
    r.Bottom = NextPixel(r.Top);
  return r;
}

}  // namespace corvane
