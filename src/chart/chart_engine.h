// The chart engine's data and scaling side, free of any widget, so it is testable headless.
//
//   TCustomChartPanel   panel state: PanelBounds, PlotRect (+ width, height, centre), colours,
//                       margins, loading/destroying, and the stale flag with RequestRepaint().
//   TCustomAxisPanel    adds the four TChartAxis, the TChartSeriesList, AxisVisible and paging;
//                       binds series and answers SeriesExtreme and IsAxisShown.
//   TChartAxis          published scale settings of one edge; ResolveRange, ApplyPixelMargins,
//                       ValueToPixel / PixelToValue over the plain arithmetic of axis_scale.h.
//   TChartSeries        XValues and YValues (TChartValueList), point colours and labels, Marks;
//   TCustomSeries       with a TSeriesPointer and line settings; TLineSeries and TPointSeries
//                       are the two kinds.
//   TChartPen, TChartBrush, TChartFont, TChartFontObject: sub-objects that report changes.
//   TCustomChart        (custom_chart.h) adds Title and Foot (TChartTitle), walls, gradient,
//                       back image, legend, bevels and the plot frame, and paints the whole chart
//                       onto a TCanvas through a cached image; TChart (chart.h) is its widget.
//
// Drawing: TCustomChart::PaintChart lays out PlotRect (margins, titles, CalcAxisRoom of
// axis_room.h), draws the axes (DrawAxis) and then asks every series to DrawValues inside the
// frame; TCustomSeries draws its segments and markers (pointer_shape.h) point by point over its
// shown range (shown_range.h), mapping values with a TPointMapper built once per pass.
//
// Data flow: the program adds points to a series; the series only asks its chart to repaint
// (Invalidate). At the next paint the chart runs ResolveRanges (each axis takes its automatic
// bounds from the series' cached MinX..MaxY), lays out PlotRect, runs ApplyPixelMargins (axes
// widen by the markers' pixel margins), and then the drawing maps every value through its axes.
//
// Mouse: TChart hands its mouse events to TCustomChart (custom_chart_mouse.cpp). A press is hit-tested
// (chart_hit_test.h) and may start a zoom or scroll drag (zoom_panning.h); zoom, undo and scroll
// change the axes through AssignRange with values from PixelToValue on the last paint's scale,
// and undo puts back the axis state saved at the first zoom or scroll (axis_state.h).
#pragma once

#include "chart/axis_panel.h"
#include "chart/axis_scale.h"
#include "chart/chart_axis.h"
#include "chart/chart_errors.h"
#include "chart/chart_panel.h"
#include "chart/chart_series.h"
#include "chart/custom_chart.h"
#include "chart/custom_series.h"
#include "chart/line_series.h"
#include "chart/palette.h"
#include "chart/series_pointer.h"
#include "chart/value_list.h"
