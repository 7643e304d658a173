// TCustomChartPanel: the base of every chart, free of any widget. It holds the panel state that
// the engine's arithmetic reads: PanelBounds, the plot rectangle (PlotRect with PlotWidth,
// PlotHeight, PlotCenterX, PlotCenterY), the panel colours and margins, the loading and
// destroying states, the cursor, the mouse's cancel flag, and the stale flag with the repaint
// request.
//
// Every change anywhere in a chart ends in Invalidate(): the cached image is declared stale and
// RequestRepaint() asks for a paint later. The widget overrides RequestRepaint() to ask the
// window system; tests override it to count requests.
#pragma once

#include "chart/change_notice.h"
#include "chart/plot_rect.h"
#include "framework/color.h"
#include "framework/cursors.h"
#include "framework/rect.h"

namespace corvane {

class TCustomChartPanel {
 public:
  TCustomChartPanel();
  TCustomChartPanel(const TCustomChartPanel&) = delete;
  TCustomChartPanel& operator=(const TCustomChartPanel&) = delete;
  virtual ~TCustomChartPanel() = default;

  // Marks the chart stale and requests a repaint.
  void Invalidate();
  bool IsStale() const { return stale_; }
  // Called at the end of a completed paint.
  void ClearStale() { stale_ = false; }
  // Declares the cached image out of date without asking for a paint (a resize brings its own).
  void MarkStale() { stale_ = true; }

  // Loading from a stream: bound cross-checks and the Automatic coupling are suspended.
  bool IsLoading() const { return loading_ > 0; }
  void BeginLoading() { ++loading_; }
  void EndLoading();
  bool IsDestroying() const { return destroying_; }

  const TRect& PanelBounds() const { return panel_bounds_; }
  void SetPanelBounds(const TRect& bounds) { panel_bounds_ = bounds; }

  const TRect& PlotRect() const { return plot_rect_; }
  // Sets the rectangle as given; callers normalise when their step says so.
  void SetPlotRect(const TRect& rect) { plot_rect_ = rect; }
  int PlotWidth() const { return plot_rect_.Width(); }
  int PlotHeight() const { return plot_rect_.Height(); }
  int PlotCenterX() const { return PixelMidpoint(plot_rect_.Left, plot_rect_.Right); }
  int PlotCenterY() const { return PixelMidpoint(plot_rect_.Top, plot_rect_.Bottom); }
  // Keeps the plot rectangle inside the panel's top-left corner and at least one pixel wide
  // and high.
  void NormalizePlotRect() { plot_rect_ = NormalizedPlotRect(plot_rect_, panel_bounds_); }

  // Published appearance the engine's colour choice reads.
  TColor Color() const { return color_; }
  void SetColor(TColor color) { Store(color_, color); }
  TColor BackColor() const { return back_color_; }
  void SetBackColor(TColor color) { Store(back_color_, color); }
  // Percent of the drawing width (left, right) or height (top, bottom) kept free.
  int MarginLeft() const { return margin_left_; }
  void SetMarginLeft(int percent) { Store(margin_left_, percent); }
  int MarginTop() const { return margin_top_; }
  void SetMarginTop(int percent) { Store(margin_top_, percent); }
  int MarginRight() const { return margin_right_; }
  void SetMarginRight(int percent) { Store(margin_right_, percent); }
  int MarginBottom() const { return margin_bottom_; }
  void SetMarginBottom(int percent) { Store(margin_bottom_, percent); }

  // The cursor shown over the chart, and the one it had when loaded (restored when a series
  // cursor no longer applies).
  TCursorId Cursor() const { return cursor_; }
  void SetCursor(TCursorId cursor);
  TCursorId OriginalCursor() const { return original_cursor_; }
  void SetOriginalCursor(TCursorId cursor) { original_cursor_ = cursor; }

  // Set just before the chart fires a click event; a handler that leaves it set stops the
  // chart's own handling of that press (no drag starts). Cleared at the end of every press.
  bool CancelMouse() const { return cancel_mouse_; }
  void SetCancelMouse(bool value) { cancel_mouse_ = value; }

 protected:
  virtual void RequestRepaint() {}
  // The widget shows the new cursor.
  virtual void CursorChanged() {}
  // Set by the most derived destructor that still needs the chart's parts, before freeing them.
  void BeginDestroying() { destroying_ = true; }

  template <class T>
  void Store(T& field, const T& value) {
    if (StoreChanged(field, value))
      Invalidate();
  }

 private:
  bool stale_ = true;
  int loading_ = 0;
  bool destroying_ = false;
  TRect panel_bounds_;
  TRect plot_rect_;
  TColor color_ = clBtnFace;
  TColor back_color_ = clAutoColor;
  int margin_left_ = 3;
  int margin_top_ = 3;
  int margin_right_ = 3;
  int margin_bottom_ = 3;
  TCursorId cursor_ = 0;
  TCursorId original_cursor_ = 0;
  bool cancel_mouse_ = false;
};

}  // namespace corvane
