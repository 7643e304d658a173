#include "chart/pointer_shape.h"

#include <algorithm>
#include <array>
#include <limits>

namespace corvane {
namespace {

// Marker edges are formed in 64 bits and kept one pixel inside the int range, so that any size
// the pointer accepts (up to INT_MAX) and the "+ 1" of the exclusive edges never overflow.
int Edge(long long value) {
  constexpr long long kLimit = std::numeric_limits<int>::max() - 1;
  return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

struct TEdges {
  int Left, Top, Right, Bottom;
};

TEdges EdgesOf(const TPointerBox& b) {
  return {Edge(static_cast<long long>(b.X) - b.HorizSize), Edge(static_cast<long long>(b.Y) - b.VertSize),
          Edge(static_cast<long long>(b.X) + b.HorizSize), Edge(static_cast<long long>(b.Y) + b.VertSize)};
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void DrawCross(TCanvas& canvas, const TPointerBox& b, const TEdges& e, TColor color) {
  canvas.Pen.Color = color;
  Line(canvas, b.X, e.Top, b.X, e.Bottom + 1);
  Line(canvas, e.Left, b.Y, e.Right + 1, b.Y);
}

void DrawDiagCross(TCanvas& canvas, const TEdges& e, TColor color) {
  canvas.Pen.Color = color;
  Line(canvas, e.Left, e.Top, e.Right + 1, e.Bottom + 1);
  Line(canvas, e.Right + 1, e.Top, e.Left, e.Bottom + 1);
}

// The top and right faces of a box seen with depth (dx to the right, dy up).
void DrawBoxFaces(TCanvas& canvas, const TPointerBox& b, const TEdges& e) {
  const int back_left = Edge(static_cast<long long>(b.X) + b.DepthX - b.HorizSize);
  const int back_right = Edge(static_cast<long long>(b.X) + b.DepthX + b.HorizSize);
  const int back_top = Edge(static_cast<long long>(b.Y) - b.DepthY - b.VertSize);
  const int back_bottom = Edge(static_cast<long long>(b.Y) - b.DepthY + b.VertSize);
  const std::array<TPoint, 4> top{
      {{e.Left, e.Top}, {back_left, back_top}, {back_right, back_top}, {e.Right, e.Top}}};
  canvas.Polygon(top);
  const std::array<TPoint, 4> right{
      {{e.Right, e.Top}, {back_right, back_top}, {back_right, back_bottom}, {e.Right, e.Bottom}}};
  canvas.Polygon(right);
}

}  // namespace

void DrawPointerShape(TCanvas& canvas, TSeriesPointerStyle style, const TPointerBox& b, TColor color) {
  const TEdges e = EdgesOf(b);
  switch (style) {
    case psRectangle:
      canvas.Rectangle(e.Left, e.Top, e.Right + 1, e.Bottom + 1);
      if (b.DepthX > 0 || b.DepthY > 0)
        DrawBoxFaces(canvas, b, e);
      break;
    case psCircle:
      canvas.Ellipse(e.Left, e.Top, e.Right, e.Bottom);
      break;
    case psTriangle: {
      const std::array<TPoint, 3> corners{{{e.Left, e.Bottom}, {e.Right, e.Bottom}, {b.X, e.Top}}};
      canvas.Polygon(corners);
      break;
    }
    case psDownTriangle: {
      const std::array<TPoint, 3> corners{{{e.Left, e.Top}, {e.Right, e.Top}, {b.X, e.Bottom}}};
      canvas.Polygon(corners);
      break;
    }
    case psCross:
      DrawCross(canvas, b, e, color);
      break;
    case psDiagCross:
      DrawDiagCross(canvas, e, color);
      break;
    case psStar:
      DrawCross(canvas, b, e, color);
      DrawDiagCross(canvas, e, color);
      break;
    case psDiamond: {
      const std::array<TPoint, 4> corners{{{e.Left, b.Y}, {b.X, e.Top}, {e.Right, b.Y}, {b.X, e.Bottom}}};
      canvas.Polygon(corners);
      break;
    }
    case psSmallDot:
      canvas.SetPixel(b.X, b.Y, color);
      break;
  }
}

void PreparePointerCanvas(TCanvas& canvas, const TSeriesPointer& pointer, TColor color) {
  if (pointer.Pen().Visible()) {
    canvas.Pen = pointer.Pen().Pen();
    if (canvas.Pen.Color == clAutoColor)
      canvas.Pen.Color = color;
  } else {
    canvas.Pen.Style = psClear;
  }
  canvas.Brush = pointer.Brush().Brush();
  if (canvas.Brush.Color == clAutoColor)
    canvas.Brush.Color = color;
}

}  // namespace corvane
