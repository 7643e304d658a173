// TChart: the chart control, a Qt widget that is also a TCustomChart. Every change to the chart
// only marks it stale and asks Qt for an update; the paint event redraws the cached image (at
// the widget's device pixel ratio, engine coordinates in logical pixels) only while the chart is
// stale, and otherwise just copies the image. A resize declares the image stale.
//
// Mouse handling (zoom and scroll) comes on top of this class through the widget's mouse event
// overrides, with DrawZoomRectangle as its hook into the paint.
#pragma once

#include <QWidget>

#include "chart/custom_chart.h"

namespace corvane {

class TChart : public QWidget, public TCustomChart {
 public:
  explicit TChart(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {400, 250}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void RequestRepaint() override { update(); }
};

}  // namespace corvane
