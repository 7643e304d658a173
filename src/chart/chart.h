// The charting engine, room by room. Everything but TChart is free of any widget, so the engine
// is testable headless.
//
//   TCustomChartPanel   panel state: PanelBounds, PlotRect (+ width, height, centre), colours,
//                       margins, loading/destroying, and the stale flag with RequestRepaint().
//   TCustomAxisPanel    adds the four TChartAxis, the TChartSeriesList, AxisVisible and paging;
//                       binds series and answers SeriesExtreme and IsAxisShown.
//   TChartAxis          published scale settings of one edge; ResolveRange, ApplyPixelMargins,
//                       ValueToPixel / PixelToValue over the plain arithmetic of axis_scale.h.
//   TChartSeries        XValues and YValues (TChartValueList), point colours and labels, Marks;
//   TCustomSeries       with a TSeriesPointer and line settings; TLineSeries and TPointSeries
//                       are the two kinds.
//   TChartPen, TChartBrush, TChartFont, TChartFontObject: sub-objects that report changes.
//   TCustomChart        (custom_chart.h) adds Title and Foot (TChartTitle), walls, gradient,
//                       back image, legend, bevels and the plot frame, and paints the whole chart
//                       onto a TCanvas through a cached image; TChart (below) is its widget.
//
// Drawing: TCustomChart::PaintChart lays out PlotRect (margins, titles, CalcAxisRoom of
// axis_room.h), draws the axes (DrawAxis) and then asks every series to DrawValues inside the
// frame; TCustomSeries draws its segments and markers (pointer_shape.h) point by point over its
// shown range (shown_range.h), mapping values with a TPointMapper built once per pass.
//
// Data flow: the program adds points to a series; the series only asks its chart to repaint
// (Invalidate). At the next paint the chart runs ResolveRanges (each axis takes its automatic
// bounds from the series' cached MinX..MaxY), lays out PlotRect, runs ApplyPixelMargins (axes
// widen by the markers' pixel margins), and then the drawing maps every value through its axes.
//
// Mouse: TChart hands its mouse events to TCustomChart (custom_chart_mouse.cpp). A press is hit-tested
// (chart_hit_test.h) and may start a zoom or scroll drag (zoom_panning.h); zoom, undo and scroll
// change the axes through AssignRange with values from PixelToValue on the last paint's scale,
// and undo puts back the axis state saved at the first zoom or scroll (axis_state.h).
//
// TChart: the chart control, a Qt widget that is also a TCustomChart. Every change to the chart
// only marks it stale and asks Qt for an update; the paint event redraws the cached image (at
// the widget's device pixel ratio, engine coordinates in logical pixels) only while the chart is
// stale, and otherwise just copies the image. A resize declares the image stale.
//
// Mouse: the widget's mouse events become the engine's MouseDown / MouseMove / MouseUp (button,
// shift state, logical pixels). The rubber band of a zoom drag is drawn by the paint event over
// the copy of the image, so moving it repaints without redrawing the chart. Anything that takes
// the mouse away mid-drag (kCancelModeEvent before a modal report, the window losing activation,
// hiding) ends the drag; so does a move or press that shows the drag's button released where the
// chart could not see it (another window had the mouse), and the press then starts afresh; a
// wheel or a rest that shows it released ends it too.
// Engine cursor identifiers become Qt cursors.
//
// Besides the drags, TChartPointerTools (chart_pointer_tools.h) shows the hover read-out, opens
// the context menu on a right click without a drag, and zooms by the wheel. It sees a press
// before the engine (the read-out goes before a drag begins) and every other event after it.
// Right presses and releases always reach the mouse events: Qt's own context menu event is off.
// Assistive technology sees a chart object named by the title (chart_accessible.h).
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "chart/chart_data_text.h"
#include "chart/chart_readout.h"
#include "chart/custom_chart.h"

class QMouseEvent;
class QWheelEvent;

namespace corvane {

class TChartPointerTools;

class TChart : public QWidget, public TCustomChart {
  Q_OBJECT  // its class name picks its accessible interface (chart_accessible.h)

      public : explicit TChart(QWidget* parent = nullptr);
  ~TChart() override;

  QSize sizeHint() const override { return {400, 250}; }

  // What the hover read-out says about a point of a series; no read-out while unassigned.
  TReadoutText OnGetReadoutText;
  // The columns of "Copy data"; every active series' Y under its title while unassigned.
  std::function<std::vector<TDataColumn>(const TChart& sender)> OnGetDataColumns;
  TChartPointerTools& PointerTools() { return *pointer_tools_; }
  // The program is about to change the series or the axes (a press of "Start Reaction Time"):
  // every gesture ends, the read-out of what goes away with it.
  void EndGestures();

  // The content scale (a window zoomed by it, 1 by default): the chart lays itself out at its
  // widget's size divided by the scale, in its own pixels, and draws at the device's resolution
  // times the scale, one image pixel to one device pixel; so it shows the same chart larger and
  // as crisp as on a denser screen. Pointer positions are turned into the chart's pixels.
  void SetContentScale(double scale);
  double ContentScale() const noexcept { return content_scale_; }
  int ContentWidth() const;
  int ContentHeight() const;
  // The resolution the chart is drawn at: device pixels per chart pixel.
  double ContentPixelRatio() const { return devicePixelRatioF() * content_scale_; }
  // A position in the widget as a chart pixel, and a chart pixel's place in the widget.
  QPoint ContentPoint(QPointF widget) const;
  QPoint WidgetPoint(QPoint content) const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void RequestRepaint() override { update(); }
  void RepaintNow() override { repaint(); }
  void CursorChanged() override;

 private:
  void Press(QMouseEvent* event, bool double_click);
  // Ends a drag whose button is no longer held: its release went elsewhere.
  void DropLostDrag(Qt::MouseButtons held);

  std::unique_ptr<TChartPointerTools> pointer_tools_;
  double content_scale_ = 1.0;
};

}  // namespace corvane
