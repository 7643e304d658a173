#include "chart/chart_hit_test.h"

#include <cstdlib>

#include "chart/custom_chart.h"
#include "chart/plot_rect.h"

namespace corvane {
namespace {

TChartHit SeriesHit(TCustomChart& chart, int x, int y) {
  const TChartSeriesList& list = chart.SeriesList();
  for (int i = list.Count() - 1; i >= 0; --i) {
    TChartSeries& series = list.At(i);
    if (!series.Active())
      continue;
    const int index = series.HitTest(x, y);
    if (index != -1)
      return {TClickedPart::Series, nullptr, &series, index};
  }
  return {};
}

TChartHit AxisHit(TCustomChart& chart, int x, int y) {
  for (TChartAxis* axis : {&chart.TopAxis(), &chart.BottomAxis(), &chart.LeftAxis(), &chart.RightAxis()}) {
    if (AxisClicked(chart, *axis, x, y))
      return {TClickedPart::Axis, axis, nullptr, -1};
  }
  return {};
}

}  // namespace

bool InPlotArea(const TCustomAxisPanel& chart, int x, int y) {
  TRect area = chart.PlotRect();
  if (chart.View3D()) {
    area.Right = ClampToInt(static_cast<long long>(area.Right) + chart.Width3D());
    area.Top = ClampToInt(static_cast<long long>(area.Top) - chart.Height3D());
  }
  return area.Contains({x, y});
}

bool AxisClicked(const TCustomAxisPanel& chart, const TChartAxis& axis, int x, int y) {
  if (!chart.IsAxisShown(axis))
    return false;
  const TRect& plot = chart.PlotRect();
  const long long along = axis.Horizontal() ? x : y;
  const long long across = axis.Horizontal() ? y : x;
  const int from = axis.Horizontal() ? plot.Left : plot.Top;
  const int to = axis.Horizontal() ? plot.Right : plot.Bottom;
  return along >= from && along <= to && std::llabs(across - axis.DrawnAxisPosition()) < kAxisClickTolerance;
}

TChartHit HitTestChart(TCustomChart& chart, int x, int y) {
  if (chart.Legend().Clicked(x, y))
    return {TClickedPart::Legend};
  if (const TChartHit hit = SeriesHit(chart, x, y); hit.Part != TClickedPart::Nothing)
    return hit;
  if (const TChartHit hit = AxisHit(chart, x, y); hit.Part != TClickedPart::Nothing)
    return hit;
  if (chart.Title().Clicked(x, y))
    return {TClickedPart::Title};
  if (chart.Foot().Clicked(x, y))
    return {TClickedPart::Foot};
  if (InPlotArea(chart, x, y) && chart.SeriesList().ActiveCount() > 0)
    return {TClickedPart::Background};
  return {};
}

}  // namespace corvane
