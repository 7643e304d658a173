// The pixel of a series point at the current paint: its X through the horizontal axis's scale,
// its Y through the vertical axis's, inside the chart's PlotRect, shifted by the series' 3-D
// layer (right and up; nothing in 2-D). Built once per pass so that the per-point work is the
// arithmetic of the two scale maps alone.
#pragma once

#include "chart/axis_scale.h"
#include "framework/rect.h"

namespace corvane {

class TChartSeries;

struct TPointMapper {
  TScaleMap Horiz;
  TScaleMap Vert;
  int DepthX = 0;
  int DepthY = 0;

  // Saturated pixels (+/-kPixelSaturation) stay far outside the drawn band after the shift.
  int X(double value) const { return Horiz.ToPixel(value) + DepthX; }
  int Y(double value) const { return Vert.ToPixel(value) - DepthY; }
  // Unrounded, for surfaces that keep positions finer than a pixel.
  double ExactX(double value) const { return Horiz.ToExactPixel(value) + DepthX; }
  double ExactY(double value) const { return Vert.ToExactPixel(value) - DepthY; }
};

// The mapper of a series bound to a chart.
TPointMapper PointMapperOf(const TChartSeries& series);

}  // namespace corvane
