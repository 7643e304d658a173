// The marker shapes of a series pointer as plain drawing functions on a canvas. A marker of half
// sizes h and v at pixel (x, y) spans left = x - h .. right = x + h and top = y - v .. bottom =
// y + v; the pen and brush must already be set (PreparePointerCanvas).
//
//   psRectangle     Rectangle(left, top, right + 1, bottom + 1): 2h + 1 by 2v + 1 pixels
//   psCircle        Ellipse(left, top, right, bottom)
//   psTriangle      (left, y + v), (right, y + v), (x, y - v): apex up
//   psDownTriangle  (left, y - v), (right, y - v), (x, y + v): apex down
//   psCross         lines (x, top)..(x, bottom + 1) and (left, y)..(right + 1, y) in `color`
//   psDiagCross     lines (left, top)..(right + 1, bottom + 1) and (right + 1, top)..(left,
//                   bottom + 1) in `color`
//   psStar          both crosses
//   psDiamond       (left, y), (x, top), (right, y), (x, bottom)
//   psSmallDot      the pixel (x, y) in `color`
// Example: psRectangle, h = v = 3 at (100, 50) covers x 97..103, y 47..53.
#pragma once

#include "chart/series_pointer.h"
#include "framework/canvas.h"

namespace corvane {

struct TPointerBox {
  int X = 0;
  int Y = 0;
  int HorizSize = 4;
  int VertSize = 4;
  // The 3-D offset of a chart with depth (psRectangle gets a top and a right face); 0 in 2-D.
  int DepthX = 0;
  int DepthY = 0;
};

void DrawPointerShape(TCanvas& canvas, TSeriesPointerStyle style, const TPointerBox& box, TColor color);

// The canvas pen and brush of a marker: the pointer's pen (or a clear pen when it is hidden) and
// brush, with clAutoColor standing for the point's colour.
void PreparePointerCanvas(TCanvas& canvas, const TSeriesPointer& pointer, TColor color);

}  // namespace corvane
