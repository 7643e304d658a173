#include "chart/back_image.h"

namespace corvane {
namespace {

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
      canvas.StretchDraw(box, image);
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
