// TChartLegend: the list of a chart's active series beside or above the plot. The main window's
// charts hide it; hidden, it neither draws nor takes room. Shown, it is a plain framed box with
// one line per series that has points and is not kept out of it (ShowInLegend): the series'
// sample (TChartSeries::DrawLegendSample: a line series' line, dashes and marker) and its title,
// or its name. Without ResizeChart it lies over the plot's corner and takes no room.
#pragma once

#include "chart/chart_font_object.h"
#include "chart/chart_pen.h"
#include "chart/series_list.h"
#include "framework/canvas.h"

namespace corvane {

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };

class TChartLegend : public TChartFontObject {
 public:
  explicit TChartLegend(TCustomChartPanel* chart);

  TLegendAlignment Alignment() const { return alignment_; }
  void SetAlignment(TLegendAlignment alignment) { Store(alignment_, alignment); }
  TColor Color() const { return color_; }
  void SetColor(TColor color) { Store(color_, color); }
  TChartPen& Frame() { return frame_; }
  const TChartPen& Frame() const { return frame_; }
  bool ResizeChart() const { return resize_chart_; }
  void SetResizeChart(bool value) { Store(resize_chart_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Store(visible_, value); }

  // Left or right legends are laid out before the titles, top and bottom ones after them.
  bool GoesBeforeTitles() const { return alignment_ == laLeft || alignment_ == laRight; }

  // The rectangle of the last paint, for the mouse hit test; empty when not drawn.
  const TRect& LegendRect() const { return legend_rect_; }
  bool Clicked(int x, int y) const { return visible_ && legend_rect_.Contains({x, y}); }
  // A paint that does not show the legend leaves no rectangle to hit.
  void ForgetRect() { legend_rect_ = {}; }

  // Draws the legend at its side of `plot` and returns the plot narrowed by it (unchanged
  // without ResizeChart).
  TRect Draw(TCanvas& canvas, const TChartSeriesList& series, const TRect& plot);

 private:
  TLegendAlignment alignment_ = laRight;
  TColor color_ = clWhite;
  TChartPen frame_;
  bool resize_chart_ = true;
  bool visible_ = true;
  TRect legend_rect_;
};

}  // namespace corvane
