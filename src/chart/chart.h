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
// chart could not see it (another window had the mouse), and the press then starts afresh.
// Engine cursor identifiers become Qt cursors.
#pragma once

#include <QWidget>

#include "chart/custom_chart.h"

class QMouseEvent;

namespace corvane {

class TChart : public QWidget, public TCustomChart {
 public:
  explicit TChart(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {400, 250}; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void RequestRepaint() override { update(); }
  void RepaintNow() override { repaint(); }
  void CursorChanged() override;

 private:
  void Press(QMouseEvent* event, bool double_click);
  // Ends a drag whose button is no longer held: its release went elsewhere.
  void DropLostDrag(Qt::MouseButtons held);
};

}  // namespace corvane
