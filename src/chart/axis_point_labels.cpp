// Labels per point (talMark, talText): the shown points of the axis's first series, each labelled
// with its mark text or its point label, a label left out where it would crowd the last one
// placed.
#include <cmath>
#include <cstdlib>
#include <optional>

#include "chart/axis_drawing.h"
#include "chart/axis_labels.h"
#include "chart/axis_panel.h"
#include "chart/series_mark_text.h"

namespace corvane {

namespace {

TChartSeries* FirstSeriesAlong(const TChartAxis& axis) {
  for (TChartSeries* s : axis.AxisPanel()->SeriesList())
    if (s->Active() && IsSeriesAlongAxis(axis, *s))
      return s;
  return nullptr;
}

// Half the room a label keeps along the axis, the separation included:
// (size + Trunc(size * 0.02 * separation)) div 2. With size 30 and 10 %: (30 + 6) div 2 = 18.
int HalfLabelRoom(const TChartAxis& axis, TCanvas& canvas, const std::string& text) {
  const bool turned = axis.LabelsAngle() == 90 || axis.LabelsAngle() == 270;
  const bool width_along = axis.Horizontal() != turned;
  const int size = width_along ? canvas.TextWidth(text) : canvas.TextHeight("W");
  const long double spacing = std::trunc(size * 0.02L * axis.LabelsSeparation());
  return int((size + static_cast<long long>(spacing)) / 2);
}

}  // namespace

void TAxisDrawing::WalkPoints(TAxisLabelStyle style) {
  TChartSeries* series = FirstSeriesAlong(axis_);
  if (series == nullptr)
    return;
  series->CalcShownRange();
  std::optional<int> last_placed;
  int previous_half = 0;
  for (int i = series->FirstShownIndex(); i >= 0 && i <= series->LastShownIndex(); ++i) {
    const double value = ValueAlongAxis(axis_, *series, i);
    if (!(value >= axis_.CurrentMinimum() && value <= axis_.CurrentMaximum()))
      continue;
    const int p = axis_.ValueToPixel(value);
    if (!axis_.TickOnLabelsOnly())
      TicksAndGrid(p, value);
    if (!axis_.Labels())
      continue;
    std::string text = style == talMark ? MarkText(*series, i) : series->PointLabel(i);
    if (axis_.OnGetAxisLabel)
      axis_.OnGetAxisLabel(axis_, series, i, text);
    const int half = HalfLabelRoom(axis_, canvas_, text);
    const bool crowded =
        axis_.LabelsSeparation() != 0 && last_placed && std::abs(p - *last_placed) < half + previous_half;
    previous_half = half;
    if (crowded)
      continue;
    if (axis_.TickOnLabelsOnly())
      TicksAndGrid(p, value);
    DrawLabelText(p, text);
    last_placed = p;
  }
}

}  // namespace corvane
