// The context menu of a chart, opened by a right click without a drag (chart_pointer_tools.h),
// and what its entries do:
//   "Copy image"  the chart as drawn, at the screen's device pixel ratio, as a clipboard image;
//   "Copy data"   the series as tab-separated text (chart_data_text.h), in the columns the
//                 chart's OnGetDataColumns names (every active series' Y when unassigned);
//   "Reset zoom"  UndoZoom, as the undoing drag.
// Above them stand the entries the chart's owner gives it (AddChartMenuEntry: "Save image as...",
// "Save data as...", an analysis of the series), in the order given, apart by a separator. They
// are the chart widget's own actions (QWidget::actions), so the menu picks up those added after it
// was first opened.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <string>

class QAction;
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

// The menu with the owner's entries and its own three, a child of the chart.
QMenu* CreateChartMenu(TChart& chart);

// An entry of the owner's, a child of the chart, appended to its menu; `run` is called on the
// chart's thread when it is chosen. Remove it with `delete`.
QAction* AddChartMenuEntry(TChart& chart, const QString& text, std::function<void()> run);

}  // namespace corvane
