// The drawing and hit test of TCustomSeries.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "chart/axis_panel.h"
#include "chart/custom_series.h"
#include "chart/pointer_shape.h"
#include "chart/segment_hit.h"

namespace corvane {
namespace {

// Pixels beyond this band are not drawn: far-off points would overflow the raster arithmetic of
// the surfaces this engine was made for.
constexpr int kDrawnPixelLimit = 32766;

bool InDrawnBand(TPoint p) {
  return p.X >= -kDrawnPixelLimit && p.X <= kDrawnPixelLimit && p.Y >= -kDrawnPixelLimit &&
         p.Y <= kDrawnPixelLimit;
}

// y(i-1) + (at - x(i-1)) * (y(i) - y(i-1)) / (x(i) - x(i-1)), in extended precision; the caller
// rules out equal x.
double InterpolatedY(double x0, double y0, double x1, double y1, double at) {
  const long double t = (static_cast<long double>(at) - x0) * (static_cast<long double>(y1) - y0);
  return static_cast<double>(y0 + t / (static_cast<long double>(x1) - x0));
}

}  // namespace

// A pass starts with no previous point: should the first shown point be skipped as too far
// off, the next one must not be joined to wherever the previous paint ended.
void TCustomSeries::DrawShownPoints(TCanvas& canvas) {
  mapper_ = PointMapperOf(*this);
  PrevColor = clNone;
  if (canvas.KeepsExactPoints() && DrawsLines() && !Stairs()) {
    DrawExactPoints(canvas);
    return;
  }
  TChartSeries::DrawShownPoints(canvas);
}

// The same lines as DrawPoint draws, but through every point at its unrounded position, where
// rounding would merge the points of one pixel: a polyline per run of one colour (the segment
// into a point takes its colour; clNone draws none), then every marker on top, so that a file
// holds the series as one path beneath its markers.
void TCustomSeries::DrawExactPoints(TCanvas& canvas) {
  const int first = FirstShownIndex();
  const int last = LastShownIndex();
  std::vector<TExactPoint> run;
  TColor run_color = clNone;
  const auto flush = [&] {
    if (run.size() >= 2) {
      canvas.Pen = LinePen().Pen();
      canvas.Pen.Color = run_color;
      canvas.Brush.Style = bsClear;
      canvas.ExactPolyline(run);
    }
    run.clear();
  };
  std::optional<TExactPoint> prev;
  if (first > 0 && PointColor(first - 1) != clNone) {
    const double minimum = ParentChart()->HorizAxisOf(*this).Minimum();
    const double x0 = XValueAt(first - 1);
    const double x1 = XValueAt(first);
    const double y0 = YValueAt(first - 1);
    const double y = x1 == x0 ? y0 : InterpolatedY(x0, y0, x1, YValueAt(first), minimum);
    prev = TExactPoint{mapper_.ExactX(minimum), mapper_.ExactY(y)};
  }
  for (int i = first; i <= last; ++i) {
    if (!InDrawnBand(PixelOf(i))) {
      flush();
      prev.reset();
      continue;
    }
    const TExactPoint p{mapper_.ExactX(XValueAt(i)), mapper_.ExactY(YValueAt(i))};
    const TColor color = PointColor(i);
    if (!run.empty() && color == run_color) {
      run.push_back(p);
    } else {
      flush();
      if (color != clNone && prev) {
        run = {*prev, p};
        run_color = color;
      }
    }
    prev = p;
  }
  flush();
  if (!Pointer().Visible())
    return;
  for (int i = first; i <= last; ++i) {
    const TPoint p = PixelOf(i);
    const TColor color = PointColor(i);
    if (color != clNone && InDrawnBand(p))
      DrawMarker(canvas, p, i, color);
  }
}

TPoint TCustomSeries::EntryPixel(int index) const {
  const double minimum = ParentChart()->HorizAxisOf(*this).Minimum();
  const double x0 = XValueAt(index - 1);
  const double y0 = YValueAt(index - 1);
  const double x1 = XValueAt(index);
  double y = y0;
  if (!(x1 == x0) && !Stairs())
    y = InterpolatedY(x0, y0, x1, YValueAt(index), minimum);
  return {mapper_.X(minimum), mapper_.Y(y)};
}

void TCustomSeries::DrawPoint(TCanvas& canvas, int index) {
  const TColor color = PointColor(index);
  canvas.Pen.Color = clBlack;
  canvas.Brush.Color = color;
  const TPoint p = PixelOf(index);
  if (PrevColor == clNone) {
    PrevX = p.X;
    PrevY = p.Y;
  }
  if (!InDrawnBand(p))
    return;
  if (index == FirstShownIndex()) {
    if (index > 0) {
      const TPoint entry = EntryPixel(index);
      PrevX = entry.X;
      PrevY = entry.Y;
      if (PointColor(index - 1) != clNone)
        DrawSegment(canvas, p, color, index, false);
    }
    if (index == LastShownIndex() && Pointer().Visible() && color != clNone)
      DrawMarker(canvas, p, index, color);
  } else {
    DrawSegment(canvas, p, color, index, true);
  }
  PrevX = p.X;
  PrevY = p.Y;
  PrevColor = color;
}

void TCustomSeries::DrawSegment(TCanvas& canvas, TPoint to, TColor color, int index, bool with_markers) {
  if (!(to == TPoint{PrevX, PrevY}) && color != clNone && DrawsLines())
    DrawLine(canvas, to, color);
  if (!with_markers || !Pointer().Visible())
    return;
  if (PrevColor != clNone)
    DrawMarker(canvas, {PrevX, PrevY}, index - 1, PrevColor);
  if (index == LastShownIndex() && color != clNone)
    DrawMarker(canvas, to, index, color);
}

// The segment ending at a point takes that point's colour.
void TCustomSeries::DrawLine(TCanvas& canvas, TPoint to, TColor color) {
  canvas.Pen = LinePen().Pen();
  canvas.Pen.Color = color;
  canvas.Brush.Style = bsClear;
  canvas.MoveTo(PrevX, PrevY);
  if (Stairs()) {
    if (InvertedStairs())
      canvas.LineTo(PrevX, to.Y);
    else
      canvas.LineTo(to.X, PrevY);
  }
  canvas.LineTo(to.X, to.Y);
}

void TCustomSeries::DrawMarker(TCanvas& canvas, TPoint at, int index, TColor color) {
  PreparePointerCanvas(canvas, Pointer(), color);
  DrawPointer(canvas, at.X, at.Y, index, color);
}

void TCustomSeries::DrawPointer(TCanvas& canvas, int x, int y, int index, TColor color) {
  const TSeriesPointerStyle style = OnGetPointerStyle ? OnGetPointerStyle(*this, index) : Pointer().Style();
  TPointerBox box{x, y, Pointer().HorizSize(), Pointer().VertSize()};
  if (Pointer().Draw3D()) {
    box.DepthX = ParentChart()->SeriesDepth();
    box.DepthY = box.DepthX;
  }
  DrawPointerShape(canvas, style, box, color);
}

TCustomSeries::TPointHit TCustomSeries::FindPoint(int x, int y) const {
  if (ParentChart() == nullptr || FirstShownIndex() < 0)
    return {};
  const TPointMapper mapper = PointMapperOf(*this);
  const TPoint mouse{x, y};
  TPoint previous;
  for (int i = FirstShownIndex(); i <= LastShownIndex(); ++i) {
    const TPoint p{mapper.X(XValueAt(i)), mapper.Y(YValueAt(i))};
    if (Pointer().Visible() && std::abs(static_cast<long long>(p.X) - x) < Pointer().HorizSize() &&
        std::abs(static_cast<long long>(p.Y) - y) < Pointer().VertSize())
      return {i, true};
    if (p == mouse)
      return {i, false};
    if (i > FirstShownIndex() && LineHitTest() && SegmentHit(previous, p, mouse))
      return {i - 1, false};
    previous = p;
  }
  return {};
}

int TCustomSeries::HitTest(int x, int y) {
  const TPointHit hit = FindPoint(x, y);
  if (hit.OnMarker && OnClickPointer)
    OnClickPointer(*this, hit.Index, x, y);
  return hit.Index;
}

// Hovering is no click: the marker event stays for HitTest.
int TCustomSeries::PointUnder(int x, int y) const {
  return FindPoint(x, y).Index;
}

void TCustomSeries::DrawLegendSample(TCanvas& canvas, const TRect& box) const {
  const int middle = (box.Top + box.Bottom) / 2;
  if (DrawsLines() && LinePen().Visible()) {
    canvas.Pen = LinePen().Pen();
    canvas.Pen.Color = SeriesColor();
    canvas.Brush.Style = bsClear;
    canvas.MoveTo(box.Left, middle);
    canvas.LineTo(box.Right, middle);
  }
  if (Pointer().Visible()) {
    const int room = std::max(1, box.Height() / 2 - 1);
    PreparePointerCanvas(canvas, Pointer(), SeriesColor());
    DrawPointerShape(canvas, Pointer().Style(),
                     {(box.Left + box.Right) / 2, middle, std::min(Pointer().HorizSize(), room),
                      std::min(Pointer().VertSize(), room)},
                     SeriesColor());
  }
}

}  // namespace corvane
