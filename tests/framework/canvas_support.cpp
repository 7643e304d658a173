#include "canvas_support.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace corvane::testing {

QImage BlankImage(int width, int height, qreal device_pixel_ratio) {
  QImage image(int(std::ceil(width * device_pixel_ratio)), int(std::ceil(height * device_pixel_ratio)),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(device_pixel_ratio);
  image.fill(Qt::white);
  return image;
}

bool IsPainted(const QImage& image, int x, int y) {
  return (image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
}

TRect InkBounds(const QImage& image) {
  TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (!IsPainted(image, x, y))
        continue;
      box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
             std::max(box.Bottom, y + 1)};
    }
  return box.Right < box.Left ? TRect{} : box;
}

int PaintedCount(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += IsPainted(image, x, y);
  return count;
}

std::string Picture(const QImage& image, const TRect& area) {
  std::string picture;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) {
      const QRgb rgb = image.pixel(x, y) & 0xFFFFFFu;
      picture += rgb == 0 ? '#' : rgb == 0xFFFFFFu ? '.' : '+';
    }
    picture += '\n';
  }
  return picture;
}

}  // namespace corvane::testing
