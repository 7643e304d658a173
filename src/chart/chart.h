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
 public:
  explicit TChart(QWidget* parent = nullptr);
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
};

}  // namespace corvane
