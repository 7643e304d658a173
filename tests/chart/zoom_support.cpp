#include "zoom_support.h"

#include <QApplication>
#include <QTest>

namespace corvane::testing {

TLineSeries& ConfigureLikeProgramChart(TCustomChart& chart) {
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.Title().SetText({"Reaction Time Plot"});
  for (TChartAxis* axis : {&chart.BottomAxis(), &chart.LeftAxis()}) {
    axis->SetAutomatic(false);
    axis->SetMinimum(0);
  }
  chart.BottomAxis().SetMaximum(26);
  chart.LeftAxis().SetMaximum(25);
  TLineSeries& line = chart.CreateSeries<TLineSeries>();
  line.SetSeriesColor(clBlue);
  line.Pointer().SetVisible(true);
  line.Pointer().SetStyle(psCircle);
  line.Pointer().SetHorizSize(3);
  line.Pointer().SetVertSize(3);
  line.Pointer().Brush().SetColor(clLightYellow);
  line.Pointer().SetDraw3D(false);
  for (const auto& [x, y] : {std::pair{16.0, 4.0}, {18.0, 7.0}, {20.0, 5.0}, {22.0, 8.0}, {24.0, 6.0}})
    line.AddPoint(x, y);
  return line;
}

TProgramChart::TProgramChart() {
  line = &ConfigureLikeProgramChart(*this);
  resize(kProgramChartWidth, kProgramChartHeight);
  OnAfterDraw = [this](TCustomChart&) { ++redraws; };
}

void TProgramChart::paintEvent(QPaintEvent* event) {
  ++paint_events;
  TChart::paintEvent(event);
}

void Settle() {
  for (int i = 0; i < 3; ++i) {
    QApplication::processEvents();
    QTest::qWait(5);
  }
}

}  // namespace corvane::testing
