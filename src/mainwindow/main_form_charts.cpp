// The design-time settings of Form1's two charts and four series, applied in the charts' loading
// state as a stored layout is read: bound cross-checks and the Automatic coupling are suspended,
// and only what differs from the defaults is set.
#include "chart/chart.h"
#include "chart/chart_design.h"
#include "chart/line_series.h"
#include "mainwindow/main_form.h"

namespace corvane {
namespace {

void FixAxis(TChartAxis& axis, bool automatic_maximum, double maximum) {
  axis.SetAutomatic(false);
  if (!automatic_maximum) {
    axis.SetAutomaticMaximum(false);
    axis.SetMaximum(maximum);
  }
  axis.SetAutomaticMinimum(false);
}

// A line series with hidden marks, ascending x values and unordered y values.
TLineSeries& AddLineSeries(TChart& chart, const char* name, TColor color) {
  TLineSeries& series = chart.CreateSeries<TLineSeries>();
  series.SetName(name);
  series.SetSeriesColor(color);
  series.Marks().SetVisible(false);
  series.Marks().SetArrowLength(8);
  series.XValues().SetName("X");
  series.XValues().SetOrder(loAscending);
  series.YValues().SetName("Y");
  series.YValues().SetOrder(loNone);
  series.Pointer().SetInflateMargins(true);
  return series;
}

}  // namespace

void TForm1::DesignCharts() {
  Chart2->BeginLoading();
  DesignChart(*Chart2, {"Reaction Time Plot", "Reaction number", "Reaction time", clRed, true});
  FixAxis(Chart2->BottomAxis(), false, 26);
  FixAxis(Chart2->LeftAxis(), false, 25);
  Series2 = &AddLineSeries(*Chart2, "Series2", clBlue);
  Series2->Pointer().SetVisible(true);
  Series2->Pointer().SetStyle(psCircle);
  Series2->Pointer().SetHorizSize(3);
  Series2->Pointer().SetVertSize(3);
  Series2->Pointer().Brush().SetColor(clLightYellow);
  Series2->Pointer().SetDraw3D(false);
  Series4 = &AddLineSeries(*Chart2, "Series4", clRed);
  Chart2->EndLoading();

  Chart1->BeginLoading();
  DesignChart(*Chart1, {"Inhibition Plot", "Time", "Inhibition", clRed, true});
  FixAxis(Chart1->BottomAxis(), false, 25);
  FixAxis(Chart1->LeftAxis(), true, 0);
  Series1 = &AddLineSeries(*Chart1, "Series1", clBlue);
  Series1->Pointer().SetDraw3D(false);
  Series3 = &AddLineSeries(*Chart1, "Series3", clYellow);
  Series3->Pointer().SetVisible(true);
  Series3->Pointer().SetStyle(psDownTriangle);
  Series3->Pointer().SetDraw3D(false);
  Chart1->EndLoading();
}

}  // namespace corvane
