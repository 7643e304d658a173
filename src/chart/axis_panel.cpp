#include "chart/axis_panel.h"

#include <algorithm>

#include "chart/page_span.h"
#include "chart/palette.h"

namespace corvane {

TCustomAxisPanel::TCustomAxisPanel()
    : left_axis_(this, false, false, 90),
      right_axis_(this, false, true, 270),
      top_axis_(this, true, true, 0),
      bottom_axis_(this, true, false, 0) {}

// Series go first: the chart's own are freed, every other one is detached, so none is left
// pointing at a chart that no longer exists. Nothing asks for a repaint from here on.
TCustomAxisPanel::~TCustomAxisPanel() {
  BeginDestroying();
  for (auto& series : owned_series_) series.reset();
  owned_series_.clear();
  while (series_list_.Count() > 0) DetachSeries(series_list_.At(0));
}

const TChartAxis& TCustomAxisPanel::HorizAxisOf(const TChartSeries& series) const {
  return series.HorizAxis() == aTopAxis ? top_axis_ : bottom_axis_;
}
const TChartAxis& TCustomAxisPanel::VertAxisOf(const TChartSeries& series) const {
  return series.VertAxis() == aRightAxis ? right_axis_ : left_axis_;
}
TChartAxis& TCustomAxisPanel::HorizAxisOf(const TChartSeries& series) {
  return series.HorizAxis() == aTopAxis ? top_axis_ : bottom_axis_;
}
TChartAxis& TCustomAxisPanel::VertAxisOf(const TChartSeries& series) {
  return series.VertAxis() == aRightAxis ? right_axis_ : left_axis_;
}

bool TCustomAxisPanel::IsSeriesOnAxis(const TChartSeries& series, const TChartAxis& axis) const {
  return &HorizAxisOf(series) == &axis || &VertAxisOf(series) == &axis;
}

// A series sits in one chart's list at most: attaching it here takes it out of another chart.
void TCustomAxisPanel::AttachSeries(TChartSeries& series) {
  if (series_list_.Contains(series))
    return;
  if (series.parent_chart_ != nullptr && series.parent_chart_ != this)
    series.parent_chart_->DetachSeries(series);
  if (series.SeriesColor() == clAutoColor)
    series.series_color_ = FreeSeriesColor();
  series.parent_chart_ = this;
  series_list_.Append(series);
  Invalidate();
}

void TCustomAxisPanel::DetachSeries(TChartSeries& series) {
  if (!series_list_.Contains(series))
    return;
  series.parent_chart_ = nullptr;
  if (Cursor() == series.Cursor())
    SetCursor(OriginalCursor());
  series_list_.Remove(series);
  Invalidate();
}

TColor TCustomAxisPanel::FreeSeriesColor() const {
  for (const TColor candidate : DefaultPalette) {
    if (candidate == Color() || candidate == BackColor())
      continue;
    const bool used =
        std::any_of(series_list_.begin(), series_list_.end(),
                    [candidate](const TChartSeries* s) { return s->SeriesColor() == candidate; });
    if (!used)
      return candidate;
  }
  return PaletteColor(0);
}

const TChartSeries* TCustomAxisPanel::FirstActiveSeriesOn(const TChartAxis& axis) const {
  for (const TChartSeries* s : series_list_) {
    if (s->Active() && IsSeriesOnAxis(*s, axis))
      return s;
  }
  return nullptr;
}

// Paging applies to the X direction of the first active series on the axis (horizontal when
// none is bound), and reads that series' values along it at the page's first and last index.
std::optional<double> TCustomAxisPanel::PagedExtreme(const TChartAxis& axis, bool want_minimum,
                                                     bool horizontal) const {
  const TChartSeries* first = FirstActiveSeriesOn(axis);
  const bool x_is_horizontal = first == nullptr || first->XIsHorizontal();
  if (horizontal != x_is_horizontal)
    return std::nullopt;
  if (first == nullptr || first->PointCount() == 0)
    return 0.0;
  const TChartValueList& list = first->XIsHorizontal() ? first->XValues() : first->YValues();
  const TPageSpan span = PageSpan(first->PointCount(), max_points_per_page_, page_);
  if (want_minimum)
    return list.ValueAt(span.First);
  return PagedMaximum(list.ValueAt(span.First), list.ValueAt(span.Last), span, max_points_per_page_,
                      scale_last_page_);
}

double TCustomAxisPanel::SeriesExtreme(const TChartAxis& axis, bool want_minimum, bool horizontal) const {
  if (max_points_per_page_ > 0) {
    if (const std::optional<double> paged = PagedExtreme(axis, want_minimum, horizontal))
      return *paged;
  }
  bool found = false;
  double result = 0;
  for (const TChartSeries* s : series_list_) {
    if (!s->Active() || s->PointCount() == 0)
      continue;
    if (&(horizontal ? HorizAxisOf(*s) : VertAxisOf(*s)) != &axis)
      continue;
    const double v =
        horizontal ? (want_minimum ? s->MinX() : s->MaxX()) : (want_minimum ? s->MinY() : s->MaxY());
    if (!found || (want_minimum ? v < result : v > result))
      result = v;
    found = true;
  }
  return result;
}

bool TCustomAxisPanel::IsAxisShown(const TChartAxis& axis) const {
  if (!axis_visible_ || !axis.Visible())
    return false;
  bool any_uses_axes = false;
  for (const TChartSeries* s : series_list_) {
    if (!s->Active() || !s->UseAxis())
      continue;
    if (IsSeriesOnAxis(*s, axis))
      return true;
    any_uses_axes = true;
  }
  return !any_uses_axes;
}

void TCustomAxisPanel::ResolveRanges() {
  left_axis_.ResolveRange();
  right_axis_.ResolveRange();
  top_axis_.ResolveRange();
  bottom_axis_.ResolveRange();
}

void TCustomAxisPanel::ApplyPixelMargins() {
  top_axis_.ApplyPixelMargins();
  left_axis_.ApplyPixelMargins();
  right_axis_.ApplyPixelMargins();
  bottom_axis_.ApplyPixelMargins();
}

}  // namespace corvane
