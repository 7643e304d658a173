#include "framework/device_grid.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// Device coordinates stay far inside int even for lines running far off the image.
constexpr double kFar = 1 << 29;

int Snap(double v) {
  return int(std::floor(std::clamp(v, -kFar, kFar) + 0.5));
}

}  // namespace

int TDeviceGrid::Edge(int e) const {
  return Snap(e * ratio_);
}

TRect TDeviceGrid::Box(const TRect& box) const {
  return {Edge(box.Left), Edge(box.Top), Edge(box.Right), Edge(box.Bottom)};
}

int TDeviceGrid::PenWidth(int width) const {
  return std::max(1, Snap(std::max(width, 1) * ratio_));
}

// The logical band of the line is p - w / 2 .. p - w / 2 + w; its centre, scaled, less half the
// device width, rounded, is the first device pixel.
double TDeviceGrid::Centre(double p, int width) const {
  const int w = std::max(width, 1);
  const int device = PenWidth(w);
  const double centre = (p - w / 2 + w / 2.0) * ratio_;
  return Snap(centre - device / 2.0) + device / 2.0;
}

TDeviceBand TDeviceGrid::Across(int p, int width) const {
  const int device = PenWidth(width);
  const int first = int(Centre(p, width) - device / 2.0);
  return {first, first + device};
}

// At a ratio below 1 a short line could vanish: it keeps at least one device pixel.
TDeviceBand TDeviceGrid::Along(int first, int last) const {
  const int start = Across(first - 1, 1).End;
  return {start, std::max(Across(last + 1, 1).First, start + 1)};
}

TRect TDeviceGrid::Clip(const TRect& box) const {
  const TDeviceBand x = Along(box.Left, box.Right - 1);
  const TDeviceBand y = Along(box.Top, box.Bottom - 1);
  return {x.First, y.First, x.End, y.End};
}

}  // namespace corvane
