// The pixel of a series point at the current paint: its X through the horizontal axis's scale,
// its Y through the vertical axis's, inside the chart's PlotRect, shifted by the series' 3-D
// layer (right and up; nothing in 2-D). Built once per pass so that the per-point work is the
// arithmetic of axis_scale.h alone.
#pragma once

#include "chart/axis_scale.h"
#include "framework/rect.h"

namespace corvane {

class TChartSeries;

struct TPointMapper {
  TAxisScale Horiz;
  TAxisScale Vert;
  TRect Plot;
  int DepthX = 0;
  int DepthY = 0;

  // Saturated pixels (+/-kPixelSaturation) stay far outside the drawn band after the shift.
  int X(double value) const { return ValueToPixelHoriz(Horiz, Plot, value) + DepthX; }
  int Y(double value) const { return ValueToPixelVert(Vert, Plot, value) - DepthY; }
};

// The mapper of a series bound to a chart.
TPointMapper PointMapperOf(const TChartSeries& series);

}  // namespace corvane
