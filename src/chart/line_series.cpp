#include "chart/line_series.h"

namespace corvane {

TLineSeries::TLineSeries() {
  ForceKind();
}

void TLineSeries::ForceKind() {
  Pointer().SetVisible(false);
  SetDrawArea(false);
  SetDrawsLines(true);
}

void TLineSeries::Assign(const TChartSeries& source) {
  TCustomSeries::Assign(source);
  ForceKind();
}

TPointSeries::TPointSeries() {
  ForceKind();
  Marks().SetArrowLength(0);
}

void TPointSeries::ForceKind() {
  Pointer().SetVisible(true);
  SetDrawsLines(false);
  SetLineHitTest(false);
}

void TPointSeries::Assign(const TChartSeries& source) {
  TCustomSeries::Assign(source);
  ForceKind();
}

}  // namespace corvane
