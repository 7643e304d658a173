// TCustomSeries: a series drawn as a polyline through its points with an optional marker
// (Pointer) at each. Its markers, when visible with InflateMargins, ask the axes for
// HorizSize + 1 and VertSize + 1 pixels on each side.
//
// Drawing (custom_series_paint.cpp): each shown point i runs DrawPoint, which draws the segment
// from the previous point (PrevX, PrevY) to it in its own colour, then the previous point's
// marker over that segment, so every marker lies over both its segments. The first shown point
// is joined to the point before it, cut where that segment crosses the axis Minimum. Gaps
// (clNone) break the line; points whose pixel lies beyond +/-32766 are skipped and the line
// joins their neighbours.
#pragma once

#include <functional>

#include "chart/chart_pen.h"
#include "chart/chart_series.h"
#include "chart/point_mapper.h"
#include "chart/series_pointer.h"

namespace corvane {

// Per-point marker style; when assigned it overrides Pointer.Style.
using TOnGetPointerStyle = std::function<TSeriesPointerStyle(TChartSeries& sender, int value_index)>;
// A marker was hit by the mouse at (x, y).
using TSeriesClickPointerEvent = std::function<void(TChartSeries& sender, int value_index, int x, int y)>;

class TCustomSeries : public TChartSeries {
 public:
  TCustomSeries();

  TSeriesPointer& Pointer() { return pointer_; }
  const TSeriesPointer& Pointer() const { return pointer_; }
  TChartPen& LinePen() { return line_pen_; }
  const TChartPen& LinePen() const { return line_pen_; }
  TChartPen& AreaLinesPen() { return area_lines_pen_; }
  const TChartPen& AreaLinesPen() const { return area_lines_pen_; }

  // A stretch of the line across the box's middle, and the marker at its centre when shown.
  void DrawLegendSample(TCanvas& canvas, const TRect& box) const override;

  bool Stairs() const { return stairs_; }
  void SetStairs(bool value) { Store(stairs_, value); }
  bool InvertedStairs() const { return inverted_stairs_; }
  void SetInvertedStairs(bool value) { Store(inverted_stairs_, value); }
  TBrushStyle LineBrush() const { return line_brush_; }
  void SetLineBrush(TBrushStyle style) { Store(line_brush_, style); }
  bool DrawsLines() const { return draws_lines_; }
  void SetDrawsLines(bool value) { Store(draws_lines_, value); }
  bool LineHitTest() const { return line_hit_test_; }
  void SetLineHitTest(bool value) { Store(line_hit_test_, value); }
  bool DrawArea() const { return draw_area_; }
  void SetDrawArea(bool value) { Store(draw_area_, value); }
  bool DrawsBeyondEdge() const { return draws_beyond_edge_; }
  void SetDrawsBeyondEdge(bool value) { Store(draws_beyond_edge_, value); }

  TOnGetPointerStyle OnGetPointerStyle;
  TSeriesClickPointerEvent OnClickPointer;

  // Drawing state of the pass in progress: the previous point's pixel and colour.
  int PrevX = 0;
  int PrevY = 0;
  TColor PrevColor = 0;

  TMarginPair HorizMargins() const override;
  TMarginPair VertMargins() const override;

  void Assign(const TChartSeries& source) override;

  // Markers first (within HorizSize and VertSize of a point), then points and, with
  // LineHitTest, the segments between shown points (segment_hit.h), over the range of the last
  // paint.
  int HitTest(int x, int y) override;
  int PointUnder(int x, int y) const override;

 protected:
  bool DrawsBeyondEdgeForRange() const override { return draws_beyond_edge_; }
  void DrawShownPoints(TCanvas& canvas) override;
  void DrawPoint(TCanvas& canvas, int index) override;
  // The marker of point `index` at pixel (x, y), on a canvas prepared by PreparePointerCanvas.
  virtual void DrawPointer(TCanvas& canvas, int x, int y, int index, TColor color);

 private:
  // The hit of HitTest, and whether it was on a marker (which fires OnClickPointer).
  struct TPointHit {
    int Index = -1;
    bool OnMarker = false;
  };
  TPointHit FindPoint(int x, int y) const;
  TPoint PixelOf(int index) const { return {mapper_.X(XValueAt(index)), mapper_.Y(YValueAt(index))}; }
  // Where the line into the first shown point starts: at the horizontal axis's Minimum.
  TPoint EntryPixel(int index) const;
  void DrawSegment(TCanvas& canvas, TPoint to, TColor color, int index, bool with_markers);
  void DrawLine(TCanvas& canvas, TPoint to, TColor color);
  void DrawMarker(TCanvas& canvas, TPoint at, int index, TColor color);
  // The pass on a surface that keeps positions finer than a pixel (custom_series_paint.cpp).
  void DrawExactPoints(TCanvas& canvas);

  // The point pixels of the pass in progress (or of the last paint, for the hit test).
  TPointMapper mapper_;

  TSeriesPointer pointer_;
  TChartPen line_pen_;
  TChartPen area_lines_pen_;
  bool stairs_ = false;
  bool inverted_stairs_ = false;
  TBrushStyle line_brush_ = bsSolid;
  bool draws_lines_ = true;
  bool line_hit_test_ = true;
  bool draw_area_ = false;
  bool draws_beyond_edge_ = true;
};

}  // namespace corvane
