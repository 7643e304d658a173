#include "chart/axis_draw.h"

namespace corvane {

// Placeholder until the axis drawing lands: axes take no room and draw nothing.
TRect CalcAxisRoom(TChartAxis&, TCanvas&, const TRect& plot) {
  return plot;
}

void DrawAxis(TChartAxis&, TCanvas&) {}

}  // namespace corvane
