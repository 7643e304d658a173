// TCustomChart: a chart panel with axes (TCustomAxisPanel) plus the look around the plot: Title
// and Foot, the panel's bevels and border, the plot frame, walls, gradient, back image and
// legend. It draws itself onto any TCanvas, buffered through a cached image of its own, painted
// through a surface its owner makes (the widget's is a TQtCanvas): the engine never opens one.
//
// One paint (PaintChart), in order: panel background and edges, titles and legend, series
// layers, axis layout (ResolveRanges, CalcAxisRoom per shown axis, ApplyPixelMargins), back of
// the plot area with its frame, axes (DrawAxis), series clipped inside the frame, the zoom
// rectangle hook, OnAfterDraw. Each step is one member function in custom_chart_paint.cpp.
//
// Draw(canvas, rect) lays out PanelBounds and PlotRect, paints into the cached image (or, with
// BufferedDisplay off, straight onto the canvas) and copies the image out; the stale flag is
// cleared only by a completed paint. The widget (chart.h) redraws the image only while stale.
//
// Mouse (custom_chart_mouse.cpp, custom_chart_zoom.cpp, over the arithmetic of zoom_panning.h): the widget
// turns its events into MouseDown / MouseMove / MouseUp in logical pixels. A press is hit-tested
// (chart_hit_test.h), fires the click events and may start a zoom drag (left button) or a scroll
// drag (right button) on the plot background, a series point or an axis. A zoom drag only moves
// its rubber band, which is XOR-drawn over the copy of the cached image, never into it; its
// release zooms all four axes to the rectangle (AssignRange), or undoes every zoom and scroll
// since the axis state was saved. A scroll drag moves the axes at every step.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "chart/axis_panel.h"
#include "chart/axis_state.h"
#include "chart/back_image.h"
#include "chart/chart_gradient.h"
#include "chart/chart_hit_test.h"
#include "chart/chart_legend.h"
#include "chart/chart_pen.h"
#include "chart/chart_title.h"
#include "chart/chart_wall.h"
#include "chart/panel_bevels.h"
#include "chart/zoom_panning.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/mouse.h"

namespace corvane {

class TCustomChart;
using TChartNotifyEvent = std::function<void(TCustomChart& sender)>;
// Presses on the legend or the background, on an axis, and on a point of a series.
using TChartClick =
    std::function<void(TCustomChart& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TChartClickAxis = std::function<void(TCustomChart& sender, TChartAxis& axis, TMouseButton button,
                                           TShiftState shift, int x, int y)>;
using TChartClickSeries = std::function<void(TCustomChart& sender, TChartSeries& series, int value_index,
                                             TMouseButton button, TShiftState shift, int x, int y)>;
// May change the bounds of one axis's scroll step, or veto it.
using TChartAllowScrollEvent =
    std::function<void(TChartAxis& sender, double& a_min, double& a_max, bool& allow_scroll)>;

class TCustomChart : public TCustomAxisPanel {
 public:
  // The cached image is painted through surfaces made by `make_canvas`: the owner (the widget,
  // a test) chooses the kind.
  explicit TCustomChart(TBitmapCanvasMaker make_canvas);
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

  // Published zoom and scroll settings.
  bool AllowZoom() const { return allow_zoom_; }
  void SetAllowZoom(bool value) { Store(allow_zoom_, value); }
  TPanningMode AllowPanning() const { return allow_panning_; }
  void SetAllowPanning(TPanningMode mode) { Store(allow_panning_, mode); }
  bool AnimatedZoom() const { return animated_zoom_; }
  void SetAnimatedZoom(bool value) { Store(animated_zoom_, value); }
  // Steps of the animated zoom, the final one included.
  int AnimatedZoomSteps() const { return animated_zoom_steps_; }
  void SetAnimatedZoomSteps(int steps) { Store(animated_zoom_steps_, steps); }

  TChartNotifyEvent OnZoom;
  TChartNotifyEvent OnUndoZoom;
  // After a scroll step that moved an axis.
  TChartNotifyEvent OnScroll;
  TChartAllowScrollEvent OnAllowScroll;
  TChartClickAxis OnClickAxis;
  TChartClickSeries OnClickSeries;
  TChartClick OnClickLegend;
  TChartClick OnClickBackground;

  // The mouse, in client pixels. A press while a drag is active is ignored.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The mouse left the control: back to the cursor the chart was loaded with.
  void MouseLeave();
  // The mouse was taken away mid-drag (a modal report, another grab, lost activation): ends any
  // drag without zooming and takes the rubber band off the screen.
  void CancelMouseMode();

  // Zooms all four axes to the bounds that the pixels of `rect` had at the last paint.
  void ZoomRect(const TRect& rect);
  // Zooms the axes to the given bounds, saving their state first if not yet saved.
  void ZoomToBounds(const TZoomTargets& targets);
  // The undoing drag: restores the axes as they were before the first zoom or scroll since the
  // last undo (RestoreAxisState), or exactly (RestoreAxisStateExactly) where the wheel made the
  // first zoom.
  void UndoZoom();
  // "Reset zoom": the axes exactly as before the first zoom or scroll, automatic limits automatic;
  // the events and the repaint as UndoZoom.
  void ResetZoom();
  // Resets the zoom when the wheel made the first zoom (a press of the program then shows its whole
  // reaction); a drag's zoom stays. Returns whether it reset.
  bool ResetWheelZoom();
  // Zooms all four axes by wheel notches (positive narrows) around the values that pixel (x, y)
  // had at the last paint, saving the axis state first as a zoom drag does, so UndoZoom undoes
  // it. Only over the plot area and with no drag in progress. A step that would leave the double
  // range, or narrow an axis showing a series below the 0.001 AssignRange keeps, changes nothing.
  // Returns whether the axes changed (custom_chart_wheel_zoom.cpp).
  bool WheelZoom(int x, int y, int notches);

  const TZoomPanningRecord& ZoomRecord() const { return zoom_; }
  const TZoomPanningRecord& ScrollRecord() const { return scroll_; }
  bool Zoomed() const { return zoomed_; }
  bool AxisStateSaved() const { return axis_state_saved_; }
  // Whether the axis state was saved by a wheel notch rather than by a drag.
  bool SavedByWheel() const { return axis_state_saved_ && saved_by_wheel_; }

  // Draws the whole chart into `rect` of `canvas`; the cached image is made at the given device
  // pixel ratio, every engine coordinate staying in logical pixels.
  void Draw(TCanvas& canvas, const TRect& rect, double device_pixel_ratio = 1.0);
  // Brings the cached image up to date for a control of the given size: repainted when stale or
  // resized, otherwise left as it is. Returns the image.
  const TBitmap& UpdateCachedImage(int width, int height, double device_pixel_ratio = 1.0);
  const TBitmap& CachedImage() const { return cache_; }

  // The whole chart laid out for `width` x `height` and painted straight onto the canvas (a file's
  // surface), without the rubber band; the cached image is left stale, so the screen repaints.
  void PaintOnto(TCanvas& canvas, int width, int height);
  // One paint onto a canvas whose PanelBounds and PlotRect are laid out (LayOutPanel).
  void PaintChart(TCanvas& canvas);
  // PanelBounds := bounds; PlotRect from the margins and BorderWidth, normalised.
  void LayOutPanel(const TRect& bounds);

  // The clip box of the series at the last paint (inside the frame lines), when ClipPoints.
  std::optional<TRect> SeriesClip() const;

 protected:
  // Step 12, and over the copy of the cached image: the rubber band of an active zoom drag,
  // XOR-drawn so that drawing it twice takes it away. Never drawn into the cached image.
  virtual void DrawZoomRectangle(TCanvas& canvas);
  // The animated zoom shows each step at once; a chart without a window has nothing to show.
  virtual void RepaintNow() {}

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

  // What a press did on the part it hit: whether an event cancelled it, or a drag started.
  struct TPressOutcome {
    bool Cancelled = false;
    bool DragStarted = false;
  };
  TPressOutcome PressPart(const TChartHit& hit, TMouseButton button, TShiftState shift, int x, int y);
  bool TryStartDrag(TMouseButton button, int x, int y);
  void MoveZoomDrag(int x, int y);
  void MoveScrollDrag(int x, int y);
  void UpdateHoverCursor(int x, int y);
  void ScrollAxis(TChartAxis& axis, int from_pixel, int to_pixel);
  void SaveAxisStates(bool by_wheel = false);
  void RestoreAxisStates(bool exactly);
  void EndUndo();
  // The bounds that the pixels of a drag record (in order) had at the last paint.
  TZoomTargets TargetsOf(const TZoomPanningRecord& drag) const;
  // Asks for a paint that only redraws the rubber band over the unchanged image.
  void RepaintZoomRectangle() { RequestRepaint(); }

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

  bool allow_zoom_ = true;
  TPanningMode allow_panning_ = pmBoth;
  bool animated_zoom_ = false;
  int animated_zoom_steps_ = 8;
  TZoomPanningRecord zoom_;
  TZoomPanningRecord scroll_;
  // In the order of AxesHorizFirst.
  std::array<TSavedAxisState, 4> saved_axes_;
  bool axis_state_saved_ = false;
  bool saved_by_wheel_ = false;
  bool zoomed_ = false;

  TBitmapCanvasMaker make_canvas_;
  TBitmap cache_;
  // While the cached image is painted, which must not hold the rubber band.
  bool painting_cache_ = false;
  // PlotRect as the axes left it, before the series are drawn (step 8).
  TRect series_plot_;
};

}  // namespace corvane
