// What an axis labels and how big its labels are: the text of a value label, a label's size
// along the axis, the label step of a paint, the label style talAuto stands for, the label
// values of the walk, and the widest label the room computation keeps free.
//
// Data flow: the room computation (axis_room.cpp) asks for the step with the plot's length along
// the axis, then for the widest label; the drawing pass asks for the step again with the final
// plot and walks AxisLabelValues, turning each value into text with AxisValueLabel.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_axis.h"
#include "chart/label_walk.h"
#include "framework/canvas.h"

namespace corvane {

// The value through AxisValuesFormat, or as a date-time on a date-time axis (empty below 0);
// then through OnGetAxisLabel, with no series and index -1, when with_event and it is assigned.
std::string AxisValueLabel(TChartAxis& axis, double value, bool with_event = true);

// Along a horizontal axis a label's text width, or the height of "W" when turned (LabelsAngle
// neither 0 nor 180); along a vertical axis the other way round. In the canvas's current font.
int LabelSizeAlongAxis(const TChartAxis& axis, TCanvas& canvas, std::string_view text);

// The label step over `length` pixels (PlotWidth or PlotHeight), measured in LabelsFont, which it
// selects into the canvas: the value ladder, or the date-time table on a date-time axis.
double AxisLabelStep(TChartAxis& axis, TCanvas& canvas, int length);

// talAuto resolved: talNone without an active series on the axis; talText when the first one
// carries its X values along this axis and some active series on it has a first point label;
// talValue otherwise. Other styles stand as they are.
TAxisLabelStyle ResolvedLabelStyle(const TChartAxis& axis);

// Whether a series is bound to the axis in the axis's own direction (as its horizontal axis for
// a horizontal axis).
bool IsSeriesAlongAxis(const TChartAxis& axis, const TChartSeries& series);
// The series' value shown along the axis: X when the series runs its X values along it.
double ValueAlongAxis(const TChartAxis& axis, const TChartSeries& series, int index);

// The walk of the value labels with the axis's settings; an exact date-time axis rounds its
// first label down to the step.
TLabelWalkQuery AxisWalkQuery(const TChartAxis& axis, double step);
// The label values of a talValue axis without OnGetNextAxisLabel, top down; the calendar walk on
// an exact date-time axis with a step of 15 days or more.
std::vector<double> AxisLabelValues(const TChartAxis& axis, double step);

// The widest label across the axis for the room: for talValue the wider of the labels of the
// outermost values (OnGetAxisLabel switched off) plus one blank; for talMark the widest mark text
// of the active series; for talText the widest point label of all series; 0 for talNone.
int WidestAxisLabel(TChartAxis& axis, TCanvas& canvas, TAxisLabelStyle style, double step);

}  // namespace corvane
