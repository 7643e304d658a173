// Charts for the mouse tests, set up like the program's reaction-time chart: 593 x 153, 2-D,
// legend hidden, the title "Reaction Time Plot", bottom axis fixed 0..26, left axis fixed 0..25,
// and a blue line with light-yellow circles of size 3 through a few points in the lower right,
// so that the upper left of the plot is bare background.
#pragma once

#include <QWidget>

#include "chart/chart.h"
#include "chart/custom_chart.h"
#include "chart/line_series.h"
#include "framework/qt_canvas.h"

namespace corvane::testing {

inline constexpr int kProgramChartWidth = 593;
inline constexpr int kProgramChartHeight = 153;

TLineSeries& ConfigureLikeProgramChart(TCustomChart& chart);

// Without a window: counts repaint requests and synchronous repaints, each of which paints the
// cached image as the widget's would. Paint() lays the chart out as a 593 x 153 control.
class TMouseChart : public TCustomChart {
 public:
  int repaints = 0;
  int immediate_repaints = 0;
  TLineSeries* line = nullptr;

  TMouseChart() : TCustomChart(&TQtCanvas::OnBitmap) { line = &ConfigureLikeProgramChart(*this); }
  void Paint() { UpdateCachedImage(kProgramChartWidth, kProgramChartHeight); }

 protected:
  void RequestRepaint() override { ++repaints; }
  void RepaintNow() override {
    ++immediate_repaints;
    Paint();
  }
};

// The widget, counting the chart's redraws (OnAfterDraw) and its paint events.
class TProgramChart : public TChart {
 public:
  int redraws = 0;
  int paint_events = 0;
  TLineSeries* line = nullptr;

  TProgramChart();

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// Lets every queued paint run.
void Settle();

}  // namespace corvane::testing
