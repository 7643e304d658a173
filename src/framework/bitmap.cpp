#include "framework/bitmap.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace corvane {

void TBitmap::SetSize(int width, int height, qreal device_pixel_ratio) {
  assert(width >= 0 && height >= 0 && device_pixel_ratio > 0);
  if (width == width_ && height == height_ && !image_.isNull() &&
      image_.devicePixelRatio() == device_pixel_ratio)
    return;
  width_ = width;
  height_ = height;
  // A ratio of 1.5 gives 3 x 3 device pixels per 2 x 2 logical ones; round the device size up so
  // the last logical row and column are always backed.
  const int device_width = int(std::ceil(width * device_pixel_ratio));
  const int device_height = int(std::ceil(height * device_pixel_ratio));
  image_ = QImage(std::max(device_width, 1), std::max(device_height, 1), QImage::Format_RGB32);
  image_.setDevicePixelRatio(device_pixel_ratio);
}

}  // namespace corvane
