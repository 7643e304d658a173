// The mouse side of TChartSeries: the quiet point query and the series' own click handling.
#include "chart/axis_panel.h"
#include "chart/chart_series.h"

namespace corvane {

int TChartSeries::PointUnder(int, int) const {
  return -1;
}

bool TChartSeries::Clicked(int value_index, TMouseButton button, TShiftState shift, int x, int y) {
  TCustomAxisPanel* chart = ParentChart();
  if (chart == nullptr)
    return false;
  chart->SetCancelMouse(false);
  const TSeriesClick& handler = (shift & ssDouble) && OnDblClick ? OnDblClick : OnClick;
  if (!handler)
    return false;
  chart->SetCancelMouse(true);
  handler(*this, value_index, button, shift, x, y);
  return chart->CancelMouse();
}

}  // namespace corvane
