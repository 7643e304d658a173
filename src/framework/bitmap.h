// TBitmap: an off-screen RGB image measured in logical pixels. At a device pixel ratio r its
// QImage holds r x r device pixels per logical pixel, so a chart drawn into it stays sharp on a
// scaled desktop while every coordinate the engine computes stays the same.
#pragma once

#include <QImage>

namespace corvane {

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int width, int height, qreal device_pixel_ratio = 1.0) {
    SetSize(width, height, device_pixel_ratio);
  }

  // Reallocates (contents undefined) only when the size or the ratio changes.
  void SetSize(int width, int height, qreal device_pixel_ratio = 1.0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  qreal DevicePixelRatio() const { return image_.isNull() ? 1.0 : image_.devicePixelRatio(); }
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

 private:
  QImage image_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace corvane
