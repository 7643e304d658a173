#include "chart_support.h"

namespace corvane::testing {

void TTestChart::PlaceLayout(const TRect& plot) {
  SetPanelBounds({0, 0, 2000, 2000});
  SetPlotRect(plot);
  NormalizePlotRect();
}

void TTestChart::ScaleAxes() {
  ResolveRanges();
  ApplyPixelMargins();
}

}  // namespace corvane::testing
