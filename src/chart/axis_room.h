// Axis room: what an axis takes at its edge of the plot (title, labels, ticks), and the entry point
// that draws the axis itself once the plot is final (TAxisDrawing does the work). The chart's paint
// calls CalcAxisRoom for every shown axis while it lays out PlotRect, then DrawAxis for each in the
// drawing phase.
//
//   axis_geometry.h   sides, tick / grid / axis-line segments, text anchors and alignment
//   axis_labels.h     label text, label size, the step, talAuto, the label values, widest label
//   axis_drawing.h    TAxisDrawing: one axis's drawing phase (title, labels by style, axis line)
//   date_time_text.h, calendar_walk.h, series_mark_text.h: the texts of date-time and mark labels
//
// Room, from the plot's edge inward: the title (its position is that new edge), the labels
// (likewise), then the axis line and ticks. Example, bottom axis, "W" 13 high, a title, default
// pens: 13 for the title, 13 for the labels, 2 + 4 for the line and ticks: Bottom 148 -> 116,
// title at 135, labels at 122.
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
