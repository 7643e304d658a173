#include "chart/chart_axis.h"

#include <algorithm>
#include <cassert>

#include "chart/axis_panel.h"
#include "chart/chart_errors.h"
#include "chart/chart_strings.h"

namespace corvane {

TChartAxis::TChartAxis(TCustomAxisPanel* chart, bool horizontal, bool far_side, int title_angle)
    : TChartFontObject(chart),
      axis_panel_(chart),
      horizontal_(horizontal),
      far_side_(far_side),
      axis_pen_(RepaintNotice()),
      axis_values_format_(chart_text::kDefaultValueFormat),
      grid_(RepaintNotice()),
      minor_ticks_(RepaintNotice()),
      ticks_(RepaintNotice()),
      ticks_inner_(RepaintNotice()),
      title_(chart, title_angle) {
  assert(chart != nullptr);
}

// --- Setters with rules of their own -------------------------------------------------------------

void TChartAxis::SetAutomatic(bool value) {
  Store(automatic_, value);
  if (!axis_panel_->IsLoading())
    automatic_minimum_ = automatic_maximum_ = value;
}

void TChartAxis::SetAutomaticMaximum(bool value) {
  Store(automatic_maximum_, value);
  if (!value)
    automatic_ = false;
}

void TChartAxis::SetAutomaticMinimum(bool value) {
  Store(automatic_minimum_, value);
  if (!value)
    automatic_ = false;
}

bool TChartAxis::IsAxisValuesFormatStored() const {
  return axis_values_format_ != chart_text::kDefaultValueFormat;
}

void TChartAxis::SetIncrement(double increment) {
  if (increment < 0)
    throw AxisException(chart_text::kAxisIncrementNegative);
  Store(increment_, increment);
}

void TChartAxis::SetLabelsAngle(int angle) {
  Store(labels_angle_, CheckedAngle(angle, chart_text::kAxisLabels));
}

void TChartAxis::SetLabelsSeparation(int percent) {
  if (percent < 0)
    throw AxisException(chart_text::kLabelsSeparationNegative);
  Store(labels_separation_, percent);
}

// Switching on checks the bounds this axis would paint with now, so it resolves them first.
void TChartAxis::SetLogarithmic(bool value) {
  if (value) {
    if (IsDateTimeAxis())
      throw AxisException(chart_text::kDateTimeLogarithmic);
    ResolveRange();
    if (!(CurrentMinimum() >= 0 && CurrentMaximum() >= 0))
      throw AxisException(chart_text::kLogarithmicNegative);
  }
  Store(logarithmic_, value);
}

// While a chart is read from a stream its bounds may arrive in either order.
void TChartAxis::SetMaximum(double value) {
  if (!axis_panel_->IsLoading() && value < minimum_)
    throw AxisException(chart_text::kAxisMaximumBelowMinimum);
  Store(maximum_, value);
}

void TChartAxis::SetMinimum(double value) {
  if (!axis_panel_->IsLoading() && value > maximum_)
    throw AxisException(chart_text::kAxisMinimumAboveMaximum);
  Store(minimum_, value);
}

// --- Scaling --------------------------------------------------------------------------------------

TAxisScale TChartAxis::Scale() const {
  TAxisScale scale = scale_;
  scale.Inverted = inverted_;
  scale.Logarithmic = logarithmic_;
  return scale;
}

void TChartAxis::AssignRange(double a_min, double a_max) {
  Store(automatic_, false);
  Store(automatic_minimum_, false);
  Store(automatic_maximum_, false);
  const bool swapped = a_min >= a_max;
  Store(minimum_, swapped ? a_max : a_min);
  Store(maximum_, swapped ? a_min : a_max);
  if (static_cast<long double>(maximum_) - minimum_ < 0.001L) {
    Store(minimum_, a_min);
    Store(maximum_, static_cast<double>(a_max + 0.001L));
  }
}

void TChartAxis::ResolveRange() {
  if (automatic_ || automatic_maximum_)
    maximum_ = axis_panel_->SeriesExtreme(*this, false, horizontal_);
  if (automatic_ || automatic_minimum_)
    minimum_ = axis_panel_->SeriesExtreme(*this, true, horizontal_);
  scale_.Maximum = maximum_;
  scale_.Minimum = minimum_;
}

TMarginPair TChartAxis::GatherMargins() const {
  TMarginPair margins;
  for (const TChartSeries* s : axis_panel_->SeriesList()) {
    if (!s->Active())
      continue;
    TMarginPair m;
    if (horizontal_ && &axis_panel_->HorizAxisOf(*s) == this)
      m = s->HorizMargins();
    else if (!horizontal_ && &axis_panel_->VertAxisOf(*s) == this)
      m = s->VertMargins();
    else
      continue;
    margins.Before = std::max(margins.Before, m.Before);
    margins.After = std::max(margins.After, m.After);
  }
  return margins;
}

// Zero margins leave the bounds exactly as they are (no round trip through the pixel mapping).
void TChartAxis::ApplyPixelMargins() {
  const TMarginPair margins = GatherMargins();
  if (margins.Before != 0 || margins.After != 0) {
    const TAxisScale widened =
        WidenByMargins(Scale(), axis_panel_->PlotRect(), axis_panel_->PanelBounds(), horizontal_, margins);
    scale_.Minimum = widened.Minimum;
    scale_.Maximum = widened.Maximum;
  }
  axis_panel_->NormalizePlotRect();
}

const TRect& TChartAxis::PlotRect() const {
  return axis_panel_->PlotRect();
}

int TChartAxis::ValueToPixel(double value) const {
  return horizontal_ ? ValueToPixelHoriz(value) : ValueToPixelVert(value);
}

int TChartAxis::ValueToPixelHoriz(double value) const {
  return corvane::ValueToPixelHoriz(Scale(), PlotRect(), value);
}

int TChartAxis::ValueToPixelVert(double value) const {
  return corvane::ValueToPixelVert(Scale(), PlotRect(), value);
}

double TChartAxis::PixelToValue(int pixel) const {
  return horizontal_ ? PixelToValueHoriz(Scale(), PlotRect(), pixel)
                     : PixelToValueVert(Scale(), PlotRect(), pixel);
}

bool TChartAxis::IsDateTimeAxis() const {
  for (const TChartSeries* s : axis_panel_->SeriesList()) {
    if (!s->Active())
      continue;
    if (&axis_panel_->HorizAxisOf(*s) == this)
      return s->XValues().DateTime();
    if (&axis_panel_->VertAxisOf(*s) == this)
      return s->YValues().DateTime();
  }
  return false;
}

// --- Copying --------------------------------------------------------------------------------------

// The bounds and flags are copied as stored (no cross-check); Logarithmic is set last so that
// it validates against the copied bounds.
void TChartAxis::Assign(const TChartAxis& source) {
  if (&source == this)
    return;
  automatic_ = source.automatic_;
  automatic_maximum_ = source.automatic_maximum_;
  automatic_minimum_ = source.automatic_minimum_;
  axis_pen_.Assign(source.axis_pen_);
  SetAxisValuesFormat(source.axis_values_format_);
  SetDateTimeFormat(source.date_time_format_);
  grid_.Assign(source.grid_);
  SetIncrement(source.increment_);
  SetInverted(source.inverted_);
  SetLabels(source.labels_);
  SetLabelsAngle(source.labels_angle_);
  LabelsFont().Assign(source.LabelsFont());
  SetLabelsOnAxis(source.labels_on_axis_);
  SetLabelsSeparation(source.labels_separation_);
  SetLabelsSize(source.labels_size_);
  SetLabelStyle(source.label_style_);
  maximum_ = source.maximum_;
  minimum_ = source.minimum_;
  SetMinorTickCount(source.minor_tick_count_);
  SetMinorTickLength(source.minor_tick_length_);
  minor_ticks_.Assign(source.minor_ticks_);
  SetTickInnerLength(source.tick_inner_length_);
  SetTickLength(source.tick_length_);
  ticks_.Assign(source.ticks_);
  ticks_inner_.Assign(source.ticks_inner_);
  title_.Assign(source.title_);
  SetTitleSize(source.title_size_);
  SetVisible(source.visible_);
  SetExactDateTime(source.exact_date_time_);
  SetTickOnLabelsOnly(source.tick_on_labels_only_);
  SetRoundFirstLabel(source.round_first_label_);
  SetLabelSteps(source.label_steps_);
  Repaint();
  SetLogarithmic(source.logarithmic_);
}

}  // namespace corvane
