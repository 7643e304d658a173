// The value <-> pixel arithmetic of an axis: TAxisScale holds the bounds one paint maps with,
// TScaleMap maps along one orientation and is built once per axis per pass (the point mapper),
// and the horizontal and vertical functions below are thin entry points over it.
//
// Linear:   horizontal  Left + Round((v - Min) * Width / Range)        (Right - d when inverted)
//           vertical    Bottom + Round((v - Min) * -Height / Range)    (Top - d when inverted)
// The product is formed before the division, in extended precision; Round is to nearest with
// halves to even. Example: bounds 0..25 on a 500-pixel plot from 20: 12.5 -> 20 + 250 = 270.
// Logarithmic mapping uses ln, counting the logarithm of a bound <= 0 as 0, and ignores Inverted.
//
// Never undefined: a zero range maps to the centre, an empty rectangle maps pixels to 0, and a
// pixel that is NaN, infinite or beyond the int range saturates to +/-kPixelSaturation, far
// outside the band -32766..32766 that the series drawing accepts, so that point is skipped.
#pragma once

#include "chart/margin_pair.h"
#include "framework/rect.h"

namespace corvane {

// The bounds one paint maps with (an axis's CurrentMinimum, CurrentMaximum, CurrentRange).
struct TAxisScale {
  double Minimum = 0;
  double Maximum = 0;
  bool Inverted = false;
  bool Logarithmic = false;

  // Maximum - Minimum, taken exactly and stored as a double.
  double Range() const { return static_cast<double>(static_cast<long double>(Maximum) - Minimum); }
};

// 2^30 - 1: the difference of two saturated pixels still fits an int.
inline constexpr int kPixelSaturation = 0x3FFFFFFF;

// One orientation of a scale over a plot: values grow from the Left edge toward Right on a
// horizontal axis, from the Bottom edge toward Top on a vertical one. Along the vertical axis the
// pixel offset is signed (-Height) and a pixel is measured from the Top down from Maximum, so the
// rounding is exactly that of the formulas above in both orientations.
class TScaleMap {
 public:
  TScaleMap() = default;
  static TScaleMap Horizontal(const TAxisScale& scale, const TRect& plot);
  static TScaleMap Vertical(const TAxisScale& scale, const TRect& plot);

  int ToPixel(double value) const;
  // ToPixel before its rounding, held within +/-kPixelSaturation: for surfaces that keep
  // positions finer than a pixel.
  double ToExactPixel(double value) const;
  // Not rounded.
  double ToValue(int pixel) const;

 private:
  TScaleMap(const TAxisScale& scale, int low, int high, bool upward);

  TAxisScale scale_;
  // The plot's edges along the axis, low < high on screen; upward: values grow toward low.
  int low_ = 0;
  int high_ = 0;
  bool upward_ = false;
  // Derived once: the linear range, and for a logarithmic scale ln of its bounds.
  double range_ = 0;
  long double log_minimum_ = 0;
  long double log_maximum_ = 0;
};

// Nearest integer, halves to even, saturated as described above.
int RoundPixel(long double value);

int ValueToPixelHoriz(const TAxisScale& scale, const TRect& plot, double value);
int ValueToPixelVert(const TAxisScale& scale, const TRect& plot, double value);
// Not rounded.
double PixelToValueHoriz(const TAxisScale& scale, const TRect& plot, int pixel);
double PixelToValueVert(const TAxisScale& scale, const TRect& plot, int pixel);

// Widens the scale so that the data fills the plot narrowed by the margins, leaving the margins
// free: on a plain horizontal axis Min - l * range / (Width - l - r) .. Max + r * range /
// (Width - l - r). The narrowed rectangle is normalised against the panel bounds first; an
// inverted axis comes out with Minimum <= Maximum again.
TAxisScale WidenByMargins(const TAxisScale& scale, const TRect& plot, const TRect& panel_bounds,
                          bool horizontal, TMarginPair margins);

}  // namespace corvane
