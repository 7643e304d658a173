// TDeviceGrid: where the logical pixels of a paint land on a device whose pixel ratio is not 1,
// for the drawing surface's device-resolution path (qt_canvas.h). Plain arithmetic on doubles
// and integers, so every rule can be checked with readable numbers.
//
//   Edge    a box edge e lands on device edge round(e x ratio): boxes that meet in logical pixels
//           meet in device pixels, so fills tile without gaps or overlaps.
//   Across  a line of logical width w on pixel p covers PenWidth(w) = round(w x ratio) device
//           pixels (at least 1) centred where its logical band lies, snapped to whole device
//           pixels: every line of one width is equally thick, and none is smeared over a
//           partial pixel. At ratio 1.5 a 1-pixel line on pixel 3 covers device 4..5.
//   Along   a line over pixels a..b runs from the end of a 1-pixel line on pixel a - 1 to the
//           start of one on pixel b + 1: lines that leave a pixel free between them in logical
//           pixels never overlap in device pixels, so a grid line stops at the frame line
//           instead of eating into it. Clips follow the same rule.
//   Centre  the snapped centre of the band of a line through pixel p: the vertices of smooth
//           (antialiased) lines, so their horizontal and vertical parts stay sharp too.
//
// At a whole ratio k every rule gives the k x k device pixels of each logical pixel.
#pragma once

#include <algorithm>

#include "framework/rect.h"

namespace corvane {

// Device pixels First .. End - 1 along one direction.
struct TDeviceBand {
  int First = 0;
  int End = 0;
  bool operator==(const TDeviceBand&) const = default;
};

// Inline: a long series asks for several bands per point.
class TDeviceGrid {
 public:
  explicit TDeviceGrid(double ratio) : ratio_(ratio) {}

  double Ratio() const { return ratio_; }
  int Edge(int e) const { return Snap(e * ratio_); }
  TRect Box(const TRect& box) const;
  int PenWidth(int width) const { return std::max(1, Snap(std::max(width, 1) * ratio_)); }
  // Width as in canvas.h: the odd pixel of a wide pen goes up or left.
  TDeviceBand Across(int p, int width) const {
    const int device = PenWidth(width);
    const int first = SnapCentreStart(p, width, device);
    return {first, first + device};
  }
  // At a ratio below 1 a short line could vanish: it keeps at least one device pixel.
  TDeviceBand Along(int first, int last) const {
    const int start = Across(first - 1, 1).End;
    return {start, std::max(Across(last + 1, 1).First, start + 1)};
  }
  TRect Clip(const TRect& box) const;
  double Centre(double p, int width) const {
    const int device = PenWidth(width);
    return SnapCentreStart(p, width, device) + device / 2.0;
  }

 private:
  // v rounded, halves up; device coordinates stay far inside int even for lines running far
  // off the image.
  static int Snap(double v) {
    constexpr double kFar = 1 << 29;
    const double x = std::clamp(v, -kFar, kFar) + 0.5;
    const int t = int(x);
    return t - (x < t ? 1 : 0);
  }
  // The logical band of the line is p - w / 2 .. p - w / 2 + w; its centre, scaled, less half
  // the device width, rounded, is the first device pixel.
  int SnapCentreStart(double p, int width, int device) const {
    const int w = std::max(width, 1);
    return Snap((p - w / 2 + w / 2.0) * ratio_ - device / 2.0);
  }

  double ratio_;
};

}  // namespace corvane
