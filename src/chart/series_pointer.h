// TSeriesPointer: the marker drawn at each point of a line or point series, owned by its series.
// Its changes repaint the series' chart; its size, when visible with InflateMargins, becomes the
// series' pixel margins (HorizSize + 1, VertSize + 1).
#pragma once

#include "chart/change_notice.h"
#include "chart/chart_brush.h"
#include "chart/chart_pen.h"

namespace corvane {

class TChartSeries;

enum TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot
};

class TSeriesPointer {
 public:
  explicit TSeriesPointer(TChartSeries& series);
  TSeriesPointer(const TSeriesPointer&) = delete;
  TSeriesPointer& operator=(const TSeriesPointer&) = delete;

  TChartSeries& Series() const { return series_; }

  // Published, in stream order.
  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }
  bool Draw3D() const { return draw_3d_; }
  void SetDraw3D(bool value) { Store(draw_3d_, value); }
  // Half width in pixels; ChartException "Pointer size must be greater than zero" below 1.
  int HorizSize() const { return horiz_size_; }
  void SetHorizSize(int size);
  bool InflateMargins() const { return inflate_margins_; }
  void SetInflateMargins(bool value) { Store(inflate_margins_, value); }
  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  TSeriesPointerStyle Style() const { return style_; }
  void SetStyle(TSeriesPointerStyle style) { Store(style_, style); }
  // Half height in pixels; same rule as HorizSize.
  int VertSize() const { return vert_size_; }
  void SetVertSize(int size);
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Store(visible_, value); }

  // Whether the pointer asks its axes for room: visible and InflateMargins.
  bool TakesMargins() const { return visible_ && inflate_margins_; }

  void Assign(const TSeriesPointer& source);

 private:
  template <class T>
  void Store(T& field, T value) {
    if (StoreChanged(field, value))
      Repaint();
  }
  void Repaint() const;

  TChartSeries& series_;
  TChartBrush brush_;
  bool draw_3d_ = true;
  int horiz_size_ = 4;
  bool inflate_margins_ = true;
  TChartPen pen_;
  TSeriesPointerStyle style_ = psRectangle;
  int vert_size_ = 4;
  bool visible_ = true;
};

}  // namespace corvane
