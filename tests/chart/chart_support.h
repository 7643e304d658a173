// A chart without a window for the engine tests: it counts repaint requests and lets a test
// place the plot rectangle directly.
#pragma once

#include "chart/axis_panel.h"
#include "chart/custom_chart.h"
#include "chart/line_series.h"
#include "framework/qt_canvas.h"
#include "framework/rect.h"

namespace corvane::testing {

class TTestChart : public TCustomAxisPanel {
 public:
  int repaints = 0;

  // Panel bounds large enough that normalising never moves the given rectangle.
  void PlaceLayout(const TRect& plot);
  // ResolveRanges, then ApplyPixelMargins on the placed rectangle: the scaling part of a paint.
  void ScaleAxes();

 protected:
  void RequestRepaint() override { ++repaints; }
};

// A whole chart without a window: counts repaint requests and paints on any canvas.
class TTestPaintChart : public TCustomChart {
 public:
  int repaints = 0;

  TTestPaintChart() : TCustomChart(&TQtCanvas::OnBitmap) {}

 protected:
  void RequestRepaint() override { ++repaints; }
};

// The look of the program's reaction-time chart: 2-D, legend hidden, one title line, a blue line
// with light-yellow circles of size 3 (Series2) and a red line without markers (Series4).
struct TProgramLikeSeries {
  TLineSeries* Line = nullptr;
  TLineSeries* Red = nullptr;
};
TProgramLikeSeries ConfigureLikeReactionChart(TCustomChart& chart);

}  // namespace corvane::testing
