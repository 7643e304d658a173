#include "chart/back_image.h"

#include <QPainter>

namespace corvane {
namespace {

void DrawStretched(TCanvas& canvas, const TBitmap& image, const TRect& box) {
  TBitmap stretched(box.Width(), box.Height(), image.DevicePixelRatio());
  {
    QPainter painter(&stretched.Image());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, box.Width(), box.Height()), image.Image());
  }
  canvas.Draw(box.Left, box.Top, stretched);
}

void DrawTiled(TCanvas& canvas, const TBitmap& image, const TRect& box) {
  canvas.ClipRect(box);
  for (int y = box.Top; y < box.Bottom; y += image.Height())
    for (int x = box.Left; x < box.Right; x += image.Width()) canvas.Draw(x, y, image);
  canvas.RemoveClip();
}

void DrawCentred(TCanvas& canvas, const TBitmap& image, const TRect& box) {
  canvas.ClipRect(box);
  canvas.Draw(box.Left + (box.Width() - image.Width()) / 2, box.Top + (box.Height() - image.Height()) / 2,
              image);
  canvas.RemoveClip();
}

}  // namespace

void DrawBackImage(TCanvas& canvas, const TBitmap& image, const TRect& box, TBackImageMode mode) {
  if (image.Width() <= 0 || image.Height() <= 0 || box.IsEmpty())
    return;
  switch (mode) {
    case pbmStretch:
      DrawStretched(canvas, image, box);
      break;
    case pbmTile:
      DrawTiled(canvas, image, box);
      break;
    case pbmCenter:
      DrawCentred(canvas, image, box);
      break;
  }
}

}  // namespace corvane
