#include "chart/axis_labels.h"

#include <algorithm>

#include "chart/axis_panel.h"
#include "chart/calendar_walk.h"
#include "chart/date_time_text.h"
#include "chart/decimal_label_step.h"
#include "chart/label_step.h"
#include "chart/series_mark_text.h"
#include "runtime/format_float.h"

namespace corvane {

namespace {

bool IsStraight(int angle) {
  return angle == 0 || angle == 180;
}

std::string DateTimeLabel(const TChartAxis& axis, double value) {
  if (value < 0)
    return {};
  const std::string& format = axis.DateTimeFormat();
  return FormatDateTimeText(format.empty() ? DefaultDateTimeFormat(axis.CurrentRange()) : format, value);
}

bool IsExactDateTime(const TChartAxis& axis) {
  return axis.IsDateTime() && axis.ExactDateTime();
}

bool SteppedDecimally(const TChartAxis& axis) {
  return axis.LabelSteps() == tlsDecimal && !axis.IsDateTime();
}

// Labels at multiples of the step: the rounded first label, or the decimal steps' multiples.
bool RoundsFirstLabel(const TChartAxis& axis) {
  return axis.RoundFirstLabel() || IsExactDateTime(axis) || SteppedDecimally(axis);
}

int WidestValueLabel(TChartAxis& axis, TCanvas& canvas, double step) {
  const TLabelExtremes ends =
      LabelExtremes(axis.CurrentMinimum(), axis.CurrentMaximum(), step, RoundsFirstLabel(axis));
  const int widest = std::max(canvas.TextWidth(AxisValueLabel(axis, ends.Low, false)),
                              canvas.TextWidth(AxisValueLabel(axis, ends.High, false)));
  return widest + canvas.TextWidth(" ");
}

int WidestMarkText(const TChartAxis& axis, TCanvas& canvas) {
  int widest = 0;
  for (TChartSeries* s : axis.AxisPanel()->SeriesList()) {
    if (!s->Active())
      continue;
    for (int i = 0; i < s->PointCount(); ++i) widest = std::max(widest, canvas.TextWidth(MarkText(*s, i)));
  }
  return widest;
}

int WidestPointLabel(const TChartAxis& axis, TCanvas& canvas) {
  int widest = 0;
  for (const TChartSeries* s : axis.AxisPanel()->SeriesList())
    for (int i = 0; i < s->PointCount(); ++i) widest = std::max(widest, canvas.TextWidth(s->PointLabel(i)));
  return widest;
}

}  // namespace

std::string AxisValueLabel(TChartAxis& axis, double value, bool with_event) {
  std::string text;
  if (axis.IsDateTime())
    text = DateTimeLabel(axis, value);
  else if (SteppedDecimally(axis) && axis.LabelDecimals() >= 0)
    text = FormatFloatMask(DecimalPlacesMask(axis.LabelDecimals()), value);
  else
    text = FormatFloatMask(axis.AxisValuesFormat(), value);
  if (with_event && axis.OnGetAxisLabel)
    axis.OnGetAxisLabel(axis, nullptr, -1, text);
  return text;
}

int LabelSizeAlongAxis(const TChartAxis& axis, TCanvas& canvas, std::string_view text) {
  const bool width_along = axis.Horizontal() == IsStraight(axis.LabelsAngle());
  return width_along ? canvas.TextWidth(text) : canvas.TextHeight("W");
}

namespace {

// The decimal steps' search: each candidate's labels measured as they would be written.
double DecimalAxisLabelStep(TChartAxis& axis, TCanvas& canvas, int length) {
  const double minimum = axis.CurrentMinimum();
  const double range = axis.CurrentRange();
  const bool width_along = axis.Horizontal() == IsStraight(axis.LabelsAngle());
  const int smallest = width_along ? canvas.TextWidth("0") : canvas.TextHeight("W");
  const int gap = width_along ? canvas.TextWidth(" ") : std::max(2, canvas.TextHeight("W") / 4);
  const auto layout = [&](double step) {
    axis.SetLabelDecimals(DecimalPlaces(step));
    std::vector<TPlacedLabel> placed;
    for (const double v : LabelValues(AxisWalkQuery(axis, step)))
      placed.push_back(
          {(v - minimum) / range * length, LabelSizeAlongAxis(axis, canvas, AxisValueLabel(axis, v))});
    return placed;
  };
  const double step = DecimalLabelStep(range, length, smallest, gap, layout);
  axis.SetLabelDecimals(DecimalPlaces(step));
  return step;
}

}  // namespace

double AxisLabelStep(TChartAxis& axis, TCanvas& canvas, int length) {
  canvas.Font = axis.LabelsFont().Font();
  if (SteppedDecimally(axis) && axis.CurrentRange() > 0 && length > 0)
    return DecimalAxisLabelStep(axis, canvas, length);
  const int size = std::max(LabelSizeAlongAxis(axis, canvas, AxisValueLabel(axis, axis.CurrentMaximum())),
                            LabelSizeAlongAxis(axis, canvas, AxisValueLabel(axis, axis.CurrentMinimum())));
  const TLabelStepQuery query{.Range = axis.CurrentRange(),
                              .Increment = axis.Increment(),
                              .LabelSize = size,
                              .Length = length,
                              .LabelsSeparation = axis.LabelsSeparation()};
  return axis.IsDateTime() ? DateTimeLabelStep(query) : ValueLabelStep(query);
}

bool IsSeriesAlongAxis(const TChartAxis& axis, const TChartSeries& series) {
  const TCustomAxisPanel& chart = *axis.AxisPanel();
  return axis.Horizontal() ? &chart.HorizAxisOf(series) == &axis : &chart.VertAxisOf(series) == &axis;
}

double ValueAlongAxis(const TChartAxis& axis, const TChartSeries& series, int index) {
  return axis.Horizontal() == series.XIsHorizontal() ? series.XValueAt(index) : series.YValueAt(index);
}

TAxisLabelStyle ResolvedLabelStyle(const TChartAxis& axis) {
  if (axis.LabelStyle() != talAuto)
    return axis.LabelStyle();
  const TChartSeries* first = nullptr;
  bool has_point_texts = false;
  for (const TChartSeries* s : axis.AxisPanel()->SeriesList()) {
    if (!s->Active() || !IsSeriesAlongAxis(axis, *s))
      continue;
    if (first == nullptr)
      first = s;
    has_point_texts = has_point_texts || (s->PointCount() > 0 && !s->PointLabel(0).empty());
  }
  if (first == nullptr)
    return talNone;
  const bool texts_along = axis.Horizontal() == first->XIsHorizontal();
  return texts_along && has_point_texts ? talText : talValue;
}

TLabelWalkQuery AxisWalkQuery(const TChartAxis& axis, double step) {
  return {.Minimum = axis.CurrentMinimum(),
          .Maximum = axis.CurrentMaximum(),
          .Step = step,
          .RoundFirstLabel = RoundsFirstLabel(axis),
          .LabelsOnAxis = axis.LabelsOnAxis()};
}

std::vector<double> AxisLabelValues(const TChartAxis& axis, double step) {
  const TLabelWalkQuery query = AxisWalkQuery(axis, step);
  if (IsExactDateTime(axis) && step >= kCalendarStepDays && WalksLabels(query))
    return CalendarLabelValues(query.Minimum, query.Maximum, step, query.LabelsOnAxis);
  return LabelValues(query);
}

int WidestAxisLabel(TChartAxis& axis, TCanvas& canvas, TAxisLabelStyle style, double step) {
  switch (style) {
    case talValue:
      return WidestValueLabel(axis, canvas, step);
    case talMark:
      return WidestMarkText(axis, canvas);
    case talText:
      return WidestPointLabel(axis, canvas);
    case talAuto:
    case talNone:
      break;
  }
  return 0;
}

}  // namespace corvane
