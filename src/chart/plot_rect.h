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

constexpr int ClampToInt(long long v) {
  if (v > std::numeric_limits<int>::max())
    return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min())
    return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// a * b / c rounded to the nearest integer, halves away from zero, for c > 0; the product is
// formed in 64 bits and the result saturates to the int range. 593 * 3 / 100 = 17.79 -> 18.
constexpr int RoundingMulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  long long q = product / c;
  const long long r = product % c;
  if (2 * (r < 0 ? -r : r) >= c)
    q += product < 0 ? -1 : 1;
  return ClampToInt(q);
}

// The margin percentages of a chart's panel.
struct TPlotMargins {
  int Left = 3;
  int Top = 3;
  int Right = 3;
  int Bottom = 3;
};

// The plot rectangle before titles and axes: the panel less its margins (percent of its width
// or height), then less border_width on every side; not normalised. A 593 x 153 panel with the
// default 3 % margins gives (18, 5, 575, 148).
constexpr TRect MarginPlotRect(const TRect& panel, const TPlotMargins& m, int border_width) {
  const int w = panel.Right - panel.Left;
  const int h = panel.Bottom - panel.Top;
  const long long b = border_width;
  return {ClampToInt(panel.Left + static_cast<long long>(RoundingMulDiv(w, m.Left, 100)) + b),
          ClampToInt(panel.Top + static_cast<long long>(RoundingMulDiv(h, m.Top, 100)) + b),
          ClampToInt(panel.Right - static_cast<long long>(RoundingMulDiv(w, m.Right, 100)) - b),
          ClampToInt(panel.Bottom - static_cast<long long>(RoundingMulDiv(h, m.Bottom, 100)) - b)};
}

}  // namespace corvane
