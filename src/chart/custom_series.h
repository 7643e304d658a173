// TCustomSeries: a series drawn as a polyline through its points with an optional marker
// (Pointer) at each. This layer holds the line settings and the drawing state; the drawing
// itself works from them. Its markers, when visible with InflateMargins, ask the axes for
// HorizSize + 1 and VertSize + 1 pixels on each side.
#pragma once

#include <functional>

#include "chart/chart_pen.h"
#include "chart/chart_series.h"
#include "chart/series_pointer.h"

namespace corvane {

// Per-point marker style; when assigned it overrides Pointer.Style.
using TOnGetPointerStyle = std::function<TSeriesPointerStyle(TChartSeries& sender, int value_index)>;

class TCustomSeries : public TChartSeries {
 public:
  TCustomSeries();

  TSeriesPointer& Pointer() { return pointer_; }
  const TSeriesPointer& Pointer() const { return pointer_; }
  TChartPen& LinePen() { return line_pen_; }
  const TChartPen& LinePen() const { return line_pen_; }
  TChartPen& AreaLinesPen() { return area_lines_pen_; }
  const TChartPen& AreaLinesPen() const { return area_lines_pen_; }

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

  // Drawing state of the pass in progress: the previous point's pixel and colour.
  int PrevX = 0;
  int PrevY = 0;
  TColor PrevColor = 0;

  THorizMargins HorizMargins() const override;
  TVertMargins VertMargins() const override;

  void Assign(const TChartSeries& source) override;

 private:
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
