// TCustomChart: a chart panel with axes (TCustomAxisPanel) plus the look around the plot: Title
// and Foot, the panel's bevels and border, the plot frame, walls, gradient, back image and
// legend. It draws itself onto any TCanvas, buffered through a cached image of its own.
//
// One paint (PaintChart), in order: panel background and edges, titles and legend, series
// layers, axis layout (ResolveRanges, CalcAxisRoom per shown axis, ApplyPixelMargins), back of
// the plot area with its frame, axes (DrawAxis), series clipped inside the frame, the zoom
// rectangle hook, OnAfterDraw. Each step is one member function in chart_paint.cpp.
//
// Draw(canvas, rect) lays out PanelBounds and PlotRect, paints into the cached image (or, with
// BufferedDisplay off, straight onto the canvas) and copies the image out; the stale flag is
// cleared only by a completed paint. The widget (chart.h) redraws the image only while stale.
#pragma once

#include <functional>
#include <optional>

#include "chart/axis_panel.h"
#include "chart/back_image.h"
#include "chart/chart_gradient.h"
#include "chart/chart_legend.h"
#include "chart/chart_pen.h"
#include "chart/chart_title.h"
#include "chart/chart_wall.h"
#include "chart/panel_bevels.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"

namespace corvane {

class TCustomChart;
using TChartNotifyEvent = std::function<void(TCustomChart& sender)>;

class TCustomChart : public TCustomAxisPanel {
 public:
  TCustomChart();
  ~TCustomChart() override;

  // Published look and layout.
  TPanelBevel BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TPanelBevel bevel) { Store(bevel_inner_, bevel); }
  TPanelBevel BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TPanelBevel bevel) { Store(bevel_outer_, bevel); }
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int width) { Store(bevel_width_, width); }
  // The band in the panel Color between the bevels; it also shrinks PlotRect.
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int width) { Store(border_width_, width); }
  // The rectangle round the plot area.
  TChartPen& Frame() { return frame_; }
  const TChartPen& Frame() const { return frame_; }
  bool ClipPoints() const { return clip_points_; }
  void SetClipPoints(bool value) { Store(clip_points_, value); }
  bool Monochrome() const { return monochrome_; }
  void SetMonochrome(bool value) { Store(monochrome_, value); }
  bool BufferedDisplay() const { return buffered_display_; }
  void SetBufferedDisplay(bool value) { Store(buffered_display_, value); }

  TChartTitle& Title() { return title_; }
  const TChartTitle& Title() const { return title_; }
  TChartTitle& Foot() { return foot_; }
  const TChartTitle& Foot() const { return foot_; }
  TChartWall& LeftWall() { return left_wall_; }
  const TChartWall& LeftWall() const { return left_wall_; }
  TChartWall& BottomWall() { return bottom_wall_; }
  const TChartWall& BottomWall() const { return bottom_wall_; }
  TChartGradient& Gradient() { return gradient_; }
  const TChartGradient& Gradient() const { return gradient_; }
  TChartLegend& Legend() { return legend_; }
  const TChartLegend& Legend() const { return legend_; }

  // An empty bitmap means no back image.
  const TBitmap& BackImage() const { return back_image_; }
  void SetBackImage(const TBitmap& image);
  TBackImageMode BackImageMode() const { return back_image_mode_; }
  void SetBackImageMode(TBackImageMode mode) { Store(back_image_mode_, mode); }
  bool BackImageInside() const { return back_image_inside_; }
  void SetBackImageInside(bool value) { Store(back_image_inside_, value); }

  // Fired at the end of every paint.
  TChartNotifyEvent OnAfterDraw;

  // Draws the whole chart into `rect` of `canvas`; the cached image is made at the given device
  // pixel ratio, every engine coordinate staying in logical pixels.
  void Draw(TCanvas& canvas, const TRect& rect, double device_pixel_ratio = 1.0);
  // Brings the cached image up to date for a control of the given size: repainted when stale or
  // resized, otherwise left as it is. Returns the image.
  const TBitmap& UpdateCachedImage(int width, int height, double device_pixel_ratio = 1.0);
  const TBitmap& CachedImage() const { return cache_; }

  // One paint onto a canvas whose PanelBounds and PlotRect are laid out (LayOutPanel).
  void PaintChart(TCanvas& canvas);
  // PanelBounds := bounds; PlotRect from the margins and BorderWidth, normalised.
  void LayOutPanel(const TRect& bounds);

  // The clip box of the series at the last paint (inside the frame lines), when ClipPoints.
  std::optional<TRect> SeriesClip() const;

 protected:
  // Step 12: the mouse handling draws its zoom rectangle here while a zoom drag is active.
  virtual void DrawZoomRectangle(TCanvas& canvas);

 private:
  void DrawPanelBackground(TCanvas& canvas);
  void DrawTitlesAndLegend(TCanvas& canvas);
  void DrawLegend(TCanvas& canvas);
  void AssignSeriesLayers();
  void LayOutAxes(TCanvas& canvas);
  void NarrowByAxis(TChartAxis& axis, TCanvas& canvas);
  void DrawPlotBack(TCanvas& canvas);
  void DrawWalls(TCanvas& canvas);
  void DrawAxes(TCanvas& canvas);
  void DrawAllSeries(TCanvas& canvas);
  void RenderCachedImage(int width, int height, double device_pixel_ratio);
  TColor FrameColor() const;
  bool LegendShown() const;
  void MakeMonochrome();

  TPanelBevel bevel_inner_ = bvNone;
  TPanelBevel bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  int border_width_ = 0;
  TChartPen frame_;
  bool clip_points_ = true;
  bool monochrome_ = false;
  bool buffered_display_ = true;
  TChartTitle title_;
  TChartTitle foot_;
  TChartWall left_wall_;
  TChartWall bottom_wall_;
  TChartGradient gradient_;
  TChartLegend legend_;
  TBitmap back_image_;
  TBackImageMode back_image_mode_ = pbmStretch;
  bool back_image_inside_ = false;

  TBitmap cache_;
  // PlotRect as the axes left it, before the series are drawn (step 8).
  TRect series_plot_;
};

}  // namespace corvane
