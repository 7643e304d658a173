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

// Rounds to nearest, halves to even, under the process's rounding mode (to nearest). rint rather
// than nearbyint: the arithmetic before it has raised inexact already, and nearbyint's saving and
// restoring of the floating-point environment costs more than the whole mapping of a point.
long double RoundNearest(long double value) {
  return std::rint(value);
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

TScaleMap::TScaleMap(const TAxisScale& scale, int low, int high, bool upward)
    : scale_(scale), low_(low), high_(high), upward_(upward), range_(scale.Range()) {
  if (scale.Logarithmic) {
    log_minimum_ = BoundLog(scale.Minimum);
    log_maximum_ = BoundLog(scale.Maximum);
  }
}

TScaleMap TScaleMap::Horizontal(const TAxisScale& scale, const TRect& plot) {
  return TScaleMap(scale, plot.Left, plot.Right, false);
}

TScaleMap TScaleMap::Vertical(const TAxisScale& scale, const TRect& plot) {
  return TScaleMap(scale, plot.Top, plot.Bottom, true);
}

// d = Round(offset * size / range) from the edge where Minimum lies (Left, Bottom), the size
// signed by the direction; an inverted scale measures d back from the other edge.
int TScaleMap::ToPixel(double value) const {
  const int origin = upward_ ? high_ : low_;
  const int length = high_ - low_;
  const int size = upward_ ? -length : length;
  if (scale_.Logarithmic) {
    const long double log_range = log_maximum_ - log_minimum_;
    if (log_range == 0)
      return PixelMidpoint(low_, high_);
    if (value <= 0)
      return origin;
    return RoundPixel(
        origin + RoundNearest((std::log(static_cast<long double>(value)) - log_minimum_) * size / log_range));
  }
  if (range_ == 0)
    return PixelMidpoint(low_, high_);
  const long double d = RoundNearest((static_cast<long double>(value) - scale_.Minimum) * size / range_);
  const int far = upward_ ? low_ : high_;
  return RoundPixel(scale_.Inverted ? far - d : origin + d);
}

double TScaleMap::ToExactPixel(double value) const {
  const int origin = upward_ ? high_ : low_;
  const int length = high_ - low_;
  const int size = upward_ ? -length : length;
  long double pixel = 0;
  if (scale_.Logarithmic) {
    const long double log_range = log_maximum_ - log_minimum_;
    if (log_range == 0)
      return PixelMidpoint(low_, high_);
    if (value <= 0)
      return origin;
    pixel = origin + (std::log(static_cast<long double>(value)) - log_minimum_) * size / log_range;
  } else {
    if (range_ == 0)
      return PixelMidpoint(low_, high_);
    const long double d = (static_cast<long double>(value) - scale_.Minimum) * size / range_;
    pixel = scale_.Inverted ? (upward_ ? low_ : high_) - d : origin + d;
  }
  if (std::isnan(pixel))
    return kPixelSaturation;
  return static_cast<double>(std::clamp<long double>(pixel, -kPixelSaturation, kPixelSaturation));
}

// A pixel is measured from the low edge (Left, Top), or back from the high edge when inverted;
// the value grows from Minimum rightward and falls from Maximum downward.
double TScaleMap::ToValue(int pixel) const {
  const int length = high_ - low_;
  if (scale_.Logarithmic) {
    const long double log_range = log_maximum_ - log_minimum_;
    if (log_range == 0)
      return scale_.Minimum;
    if (length <= 0)
      return 0;
    const long double q = log_range * (static_cast<long double>(pixel) - low_) / length;
    return static_cast<double>(upward_ ? std::exp(log_maximum_ - q) : std::exp(q + log_minimum_));
  }
  if (length <= 0)
    return 0;
  const long double a =
      scale_.Inverted ? static_cast<long double>(high_) - pixel : static_cast<long double>(pixel) - low_;
  const long double q = a * range_ / length;
  return static_cast<double>(upward_ ? scale_.Maximum - q : scale_.Minimum + q);
}

int ValueToPixelHoriz(const TAxisScale& scale, const TRect& plot, double value) {
  return TScaleMap::Horizontal(scale, plot).ToPixel(value);
}

int ValueToPixelVert(const TAxisScale& scale, const TRect& plot, double value) {
  return TScaleMap::Vertical(scale, plot).ToPixel(value);
}

double PixelToValueHoriz(const TAxisScale& scale, const TRect& plot, int pixel) {
  return TScaleMap::Horizontal(scale, plot).ToValue(pixel);
}

double PixelToValueVert(const TAxisScale& scale, const TRect& plot, int pixel) {
  return TScaleMap::Vertical(scale, plot).ToValue(pixel);
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
    const TScaleMap map = TScaleMap::Horizontal(scale, narrowed);
    widened.Minimum = map.ToValue(plot.Left);
    widened.Maximum = map.ToValue(plot.Right);
  } else {
    narrowed.Top = MovedEdge(narrowed.Top, margins.Before);
    narrowed.Bottom = MovedEdge(narrowed.Bottom, -static_cast<long long>(margins.After));
    narrowed = NormalizedPlotRect(narrowed, panel_bounds);
    const TScaleMap map = TScaleMap::Vertical(scale, narrowed);
    widened.Minimum = map.ToValue(plot.Bottom);
    widened.Maximum = map.ToValue(plot.Top);
  }
  if (widened.Minimum > widened.Maximum)
    std::swap(widened.Minimum, widened.Maximum);
  return widened;
}

}  // namespace corvane
