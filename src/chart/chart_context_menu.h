// The context menu of a chart, opened by a right click without a drag (chart_pointer_tools.h),
// and what its entries do:
//   "Copy image"  the chart as drawn, at the screen's device pixel ratio, as a clipboard image;
//   "Copy data"   the series as tab-separated text (chart_data_text.h), in the columns the
//                 chart's OnGetDataColumns names (every active series' Y when unassigned);
//   "Reset zoom"  UndoZoom, as the undoing drag.
#pragma once

#include <QImage>
#include <string>

class QMenu;

namespace corvane {

class TChart;
class TCustomChart;

// The chart drawn at `ratio` device pixels per logical pixel: (width x ratio) by (height x
// ratio) device pixels, from the engine's cached image (the rubber band is never in it).
QImage ChartImage(TCustomChart& chart, int width, int height, double ratio);

// The text "Copy data" puts on the clipboard.
std::string ChartDataOf(const TChart& chart);

void CopyChartImage(TChart& chart);
void CopyChartData(const TChart& chart);

// The menu with its three entries, a child of the chart.
QMenu* CreateChartMenu(TChart& chart);

}  // namespace corvane
