// Axis drawing: the room an axis takes at its edge of the plot, and the axis itself (title,
// labels, ticks, grid lines, axis line). The chart's paint calls CalcAxisRoom for every shown axis
// while it lays out PlotRect, then DrawAxis for each in the drawing phase.
#pragma once

#include "chart/chart_axis.h"
#include "framework/canvas.h"
#include "framework/rect.h"

namespace corvane {

// Narrows `plot` by the axis's title, labels and ticks on its side; records the title, labels and
// axis positions on the axis for DrawAxis and for the mouse hit test (drawn axis position).
TRect CalcAxisRoom(TChartAxis& axis, TCanvas& canvas, const TRect& plot);

// Draws title, labels, ticks, grid lines and the axis line with the axis's current scale.
void DrawAxis(TChartAxis& axis, TCanvas& canvas);

}  // namespace corvane
