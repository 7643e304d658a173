#include "chart_support.h"

namespace corvane::testing {

void TTestChart::PlaceLayout(const TRect& plot) {
  SetPanelBounds({0, 0, 2000, 2000});
  SetPlotRect(plot);
  NormalizePlotRect();
}

void TTestChart::ScaleAxes() {
  ResolveRanges();
  ApplyPixelMargins();
}

TProgramLikeSeries ConfigureLikeReactionChart(TCustomChart& chart) {
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.Title().SetText({"Reaction Time Plot"});
  TProgramLikeSeries out;
  out.Line = &chart.CreateSeries<TLineSeries>();
  out.Line->SetSeriesColor(clBlue);
  out.Line->Pointer().SetVisible(true);
  out.Line->Pointer().SetStyle(psCircle);
  out.Line->Pointer().SetHorizSize(3);
  out.Line->Pointer().SetVertSize(3);
  out.Line->Pointer().Brush().SetColor(clLightYellow);
  out.Line->Pointer().SetDraw3D(false);
  out.Red = &chart.CreateSeries<TLineSeries>();
  out.Red->SetSeriesColor(clRed);
  return out;
}

}  // namespace corvane::testing
