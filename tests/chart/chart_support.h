// A chart without a window for the engine tests: it counts repaint requests and lets a test
// place the plot rectangle directly.
#pragma once

#include "chart/axis_panel.h"
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

}  // namespace corvane::testing
