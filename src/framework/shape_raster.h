// Rasterising filled shapes into horizontal spans of pixels: the pixels whose centres lie inside
// the shape. Ellipse outlines are the rim of those spans, so a filled ellipse and its outline
// cover exactly the same pixels whatever the pen.
#pragma once

#include <span>
#include <vector>

#include "framework/rect.h"

namespace corvane {

// Pixels Left .. Right - 1 of row Y; empty when Right <= Left.
struct TSpan {
  int Y = 0;
  int Left = 0;
  int Right = 0;
  bool operator==(const TSpan&) const = default;
};

// One span per row of the ellipse inscribed in `box` (right and bottom edges excluded), top down.
void EllipseSpans(const TRect& box, std::vector<TSpan>& rows);

// Splits the rows of a shape into its rim, `width` pixels deep measured along rows and columns,
// and the interior within it. Rows must be consecutive, top down.
void SplitRim(std::span<const TSpan> rows, int width, std::vector<TSpan>& rim, std::vector<TSpan>& interior);

// The spans of a polygon filled by the even-odd rule; `crossings` is scratch space kept by the
// caller so that drawing many polygons allocates nothing after the first.
void PolygonSpans(std::span<const TPoint> points, std::vector<double>& crossings, std::vector<TSpan>& spans);

}  // namespace corvane
