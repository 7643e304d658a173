#include "chart/axis_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "chart/plot_rect.h"

namespace corvane {
namespace {

// The logarithm of a bound that is not positive counts as 0.
long double BoundLog(double bound) {
  return bound > 0 ? std::log(static_cast<long double>(bound)) : 0.0L;
}

long double LogRange(const TAxisScale& s) {
  return BoundLog(s.Maximum) - BoundLog(s.Minimum);
}

// Rounds to nearest, halves to even, under the process's rounding mode (to nearest). rint rather
// than nearbyint: the arithmetic before it has raised inexact already, and nearbyint's saving and
// restoring of the floating-point environment costs more than the whole mapping of a point.
long double RoundNearest(long double value) {
  return std::rint(value);
}

// d = Round(offset * size / range) for the linear form; the start edge and direction are the
// caller's.
long double LinearOffset(const TAxisScale& s, double value, int size) {
  return RoundNearest((static_cast<long double>(value) - s.Minimum) * size / s.Range);
}

long double LogOffset(const TAxisScale& s, long double log_range, double value, int size) {
  return RoundNearest((std::log(static_cast<long double>(value)) - BoundLog(s.Minimum)) * size / log_range);
}

// An edge moved inward by a margin, kept inside the int range.
int MovedEdge(int edge, long long by) {
  const long long moved = edge + by;
  return static_cast<int>(
      std::clamp<long long>(moved, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

int RoundPixel(long double value) {
  if (std::isnan(value))
    return kPixelSaturation;
  const long double r = RoundNearest(value);
  if (r >= kPixelSaturation)
    return kPixelSaturation;
  if (r <= -kPixelSaturation)
    return -kPixelSaturation;
  return static_cast<int>(r);
}

int ValueToPixelHoriz(const TAxisScale& s, const TRect& plot, double value) {
  const int center = PixelMidpoint(plot.Left, plot.Right);
  if (s.Logarithmic) {
    const long double log_range = LogRange(s);
    if (log_range == 0)
      return center;
    if (value <= 0)
      return plot.Left;
    return RoundPixel(plot.Left + LogOffset(s, log_range, value, plot.Width()));
  }
  if (s.Range == 0)
    return center;
  const long double d = LinearOffset(s, value, plot.Width());
  return RoundPixel(s.Inverted ? plot.Right - d : plot.Left + d);
}

int ValueToPixelVert(const TAxisScale& s, const TRect& plot, double value) {
  const int center = PixelMidpoint(plot.Top, plot.Bottom);
  if (s.Logarithmic) {
    const long double log_range = LogRange(s);
    if (log_range == 0)
      return center;
    if (value <= 0)
      return plot.Bottom;
    return RoundPixel(plot.Bottom + LogOffset(s, log_range, value, -plot.Height()));
  }
  if (s.Range == 0)
    return center;
  const long double d = LinearOffset(s, value, -plot.Height());
  return RoundPixel(s.Inverted ? plot.Top - d : plot.Bottom + d);
}

double PixelToValueHoriz(const TAxisScale& s, const TRect& plot, int pixel) {
  const int width = plot.Width();
  if (s.Logarithmic) {
    const long double log_range = LogRange(s);
    if (log_range == 0)
      return s.Minimum;
    if (width <= 0)
      return 0;
    return static_cast<double>(
        std::exp(log_range * (static_cast<long double>(pixel) - plot.Left) / width + BoundLog(s.Minimum)));
  }
  if (width <= 0)
    return 0;
  const long double a =
      s.Inverted ? static_cast<long double>(plot.Right) - pixel : static_cast<long double>(pixel) - plot.Left;
  return static_cast<double>(s.Minimum + a * s.Range / width);
}

double PixelToValueVert(const TAxisScale& s, const TRect& plot, int pixel) {
  const int height = plot.Height();
  if (s.Logarithmic) {
    const long double log_range = LogRange(s);
    if (log_range == 0)
      return s.Minimum;
    if (height <= 0)
      return 0;
    return static_cast<double>(
        std::exp(BoundLog(s.Maximum) - log_range * (static_cast<long double>(pixel) - plot.Top) / height));
  }
  if (height <= 0)
    return 0;
  const long double a =
      s.Inverted ? static_cast<long double>(plot.Bottom) - pixel : static_cast<long double>(pixel) - plot.Top;
  return static_cast<double>(s.Maximum - a * s.Range / height);
}

// The new bounds are the values that the saved edges take under the narrowed rectangle.
TAxisScale WidenByMargins(const TAxisScale& scale, const TRect& plot, const TRect& panel_bounds,
                          bool horizontal, TMarginPair margins) {
  TRect narrowed = plot;
  TAxisScale widened = scale;
  if (horizontal) {
    narrowed.Left = MovedEdge(narrowed.Left, margins.Before);
    narrowed.Right = MovedEdge(narrowed.Right, -static_cast<long long>(margins.After));
    narrowed = NormalizedPlotRect(narrowed, panel_bounds);
    widened.Minimum = PixelToValueHoriz(scale, narrowed, plot.Left);
    widened.Maximum = PixelToValueHoriz(scale, narrowed, plot.Right);
  } else {
    narrowed.Top = MovedEdge(narrowed.Top, margins.Before);
    narrowed.Bottom = MovedEdge(narrowed.Bottom, -static_cast<long long>(margins.After));
    narrowed = NormalizedPlotRect(narrowed, panel_bounds);
    widened.Minimum = PixelToValueVert(scale, narrowed, plot.Bottom);
    widened.Maximum = PixelToValueVert(scale, narrowed, plot.Top);
  }
  if (widened.Minimum > widened.Maximum)
    std::swap(widened.Minimum, widened.Maximum);
  widened.Range = static_cast<double>(static_cast<long double>(widened.Maximum) - widened.Minimum);
  return widened;
}

}  // namespace corvane
