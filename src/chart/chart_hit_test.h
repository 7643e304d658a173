// Where a mouse press lands on a chart, first match winning: the shown legend, a point of a
// series (the active series asked from the last to the first), an axis line (within
// kAxisClickTolerance pixels, over the plot's extent), Title, Foot, the plot background (only
// with an active series), or nothing. Every answer uses the geometry of the last paint.
#pragma once

#include "chart/chart_axis.h"
#include "chart/chart_series.h"

namespace corvane {

class TCustomAxisPanel;
class TCustomChart;

enum class TClickedPart { Nothing, Legend, Series, Axis, Title, Foot, Background };

struct TChartHit {
  TClickedPart Part = TClickedPart::Nothing;
  TChartAxis* Axis = nullptr;      // for Axis
  TChartSeries* Series = nullptr;  // for Series
  int ValueIndex = -1;             // for Series
};

// Asks the series' HitTest, which fires their OnClickPointer for a hit marker.
TChartHit HitTestChart(TCustomChart& chart, int x, int y);

// Inside PlotRect, right and bottom edges excluded; in 3-D the area reaches right by the 3-D
// width and up by the 3-D height, over the offset back plane.
bool InPlotArea(const TCustomAxisPanel& chart, int x, int y);

// On a shown axis: across its drawn line by less than the tolerance, along it within the plot's
// extent (both ends included).
bool AxisClicked(const TCustomAxisPanel& chart, const TChartAxis& axis, int x, int y);

}  // namespace corvane
