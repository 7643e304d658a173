#include "framework/device_grid.h"

namespace corvane {

TRect TDeviceGrid::Box(const TRect& box) const {
  return {Edge(box.Left), Edge(box.Top), Edge(box.Right), Edge(box.Bottom)};
}

TRect TDeviceGrid::Clip(const TRect& box) const {
  const TDeviceBand x = Along(box.Left, box.Right - 1);
  const TDeviceBand y = Along(box.Top, box.Bottom - 1);
  return {x.First, y.First, x.End, y.End};
}

}  // namespace corvane
