#include "chart/point_mapper.h"

#include <algorithm>
#include <cassert>

#include "chart/axis_panel.h"
#include "chart/chart_series.h"

namespace corvane {

TPointMapper PointMapperOf(const TChartSeries& series) {
  const TCustomAxisPanel* chart = series.ParentChart();
  assert(chart != nullptr && "a series maps its points only inside a chart");
  const long long depth = static_cast<long long>(series.SeriesLayer()) * chart->SeriesDepth();
  const int shift = static_cast<int>(std::clamp(depth, -32766LL, 32766LL));
  return {TScaleMap::Horizontal(chart->HorizAxisOf(series).Scale(), chart->PlotRect()),
          TScaleMap::Vertical(chart->VertAxisOf(series).Scale(), chart->PlotRect()), shift, shift};
}

}  // namespace corvane
