#include "chart/chart_series.h"

#include <algorithm>

#include "chart/axis_panel.h"
#include "chart/chart_errors.h"
#include "chart/chart_strings.h"
#include "chart/palette.h"
#include "chart/shown_range.h"

namespace corvane {
namespace {

// Points arrive in ascending x order almost always: appending skips the insert's shifting logic.
template <class T>
void InsertAtIndex(std::vector<T>& list, int index, T value) {
  if (static_cast<std::size_t>(index) == list.size()) {
    list.push_back(std::move(value));
  } else {
    list.insert(list.begin() + index, std::move(value));
  }
}

}  // namespace

TChartSeries::TChartSeries()
    : marks_(SubObjectNotice()),
      percent_format_(chart_text::kDefaultPercentFormat),
      value_format_(chart_text::kDefaultValueFormat),
      x_values_(this, "X"),
      y_values_(this, "Y"),
      values_lists_{&x_values_, &y_values_} {
  x_values_.SetOrder(loAscending);
}

// Drops the data-source links both ways, clears (OnClearValues fires; the chart is not asked to
// repaint while it is being destroyed) and leaves the chart.
TChartSeries::~TChartSeries() {
  SetDataSource(nullptr);
  for (TChartSeries* dependent : dependents_) dependent->data_source_ = nullptr;
  dependents_.clear();
  TChartSeries::ClearPoints();
  TChartSeries::SetParentChart(nullptr);
}

void TChartSeries::SetActive(bool active) {
  Store(active_, active);
}

void TChartSeries::SetSeriesColor(TColor color) {
  Store(series_color_, color);
}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart) {
  if (parent_chart_ == chart)
    return;
  if (parent_chart_ != nullptr)
    parent_chart_->DetachSeries(*this);
  parent_chart_ = chart;
  if (chart != nullptr)
    chart->AttachSeries(*this);
}

void TChartSeries::SetDataSource(TChartSeries* source) {
  if (source == data_source_ || source == this)
    return;
  if (data_source_ != nullptr)
    std::erase(data_source_->dependents_, this);
  data_source_ = source;
  if (source != nullptr)
    source->dependents_.push_back(this);
}

bool TChartSeries::IsPercentFormatStored() const {
  return percent_format_ != chart_text::kDefaultPercentFormat;
}
bool TChartSeries::IsValueFormatStored() const {
  return value_format_ != chart_text::kDefaultValueFormat;
}

void TChartSeries::SetXValues(const TChartValueList& source) {
  x_values_.Assign(source);
  RepaintChart();
}

void TChartSeries::SetYValues(const TChartValueList& source) {
  y_values_.Assign(source);
  RepaintChart();
}

std::string TChartSeries::PointLabel(int index) const {
  if (index < 0)
    ThrowListIndexError(index);
  const auto i = static_cast<std::size_t>(index);
  if (i < labels_.size() && labels_[i])
    return *labels_[i];
  return {};
}

TColor TChartSeries::PointColor(int index) const {
  if (index < 0)
    ThrowListIndexError(index);
  const auto i = static_cast<std::size_t>(index);
  if (i >= colors_.size())
    return series_color_;
  const TColor c = colors_[i];
  if (c != clAutoColor)
    return c;
  return color_each_point_ ? PaletteColor(index) : series_color_;
}

// The pending values are read after OnBeforeAdd, so a handler may change the point it lets in.
int TChartSeries::AddPoint(double x, double y, const std::string& label, TColor color) {
  x_values_.SetPendingValue(x);
  y_values_.SetPendingValue(y);
  if (OnBeforeAdd && !OnBeforeAdd(*this))
    return -1;
  const int index = x_values_.InsertSorted(x_values_.PendingValue());
  y_values_.InsertAt(index, y_values_.PendingValue());
  InsertAtIndex(colors_, index, color);
  InsertLabel(index, label);
  PointAdded(index);
  return index;
}

void TChartSeries::InsertLabel(int index, const std::string& label) {
  if (labels_.empty()) {
    if (label.empty())
      return;
    labels_.resize(static_cast<std::size_t>(PointCount() - 1));
  }
  InsertAtIndex(labels_, index, label.empty() ? nullptr : std::make_unique<std::string>(label));
}

int TChartSeries::AddValue(double y, const std::string& label, TColor color) {
  return AddPoint(PointCount(), y, label, color);
}

int TChartSeries::AddGap(const std::string& label) {
  return AddValue(0, label, clNone);
}

void TChartSeries::PointAdded(int index) {
  if (OnAfterAdd)
    OnAfterAdd(*this, index);
  NotifyDependents(TSeriesNotification::Inserted, index);
  if (active_)
    RepaintChart();
}

void TChartSeries::DeletePoint(int index) {
  for (TChartValueList* list : values_lists_) list->DeleteAt(index);
  const auto i = static_cast<std::size_t>(index);
  if (i < colors_.size())
    colors_.erase(colors_.begin() + index);
  if (i < labels_.size())
    labels_.erase(labels_.begin() + index);
  NotifyDependents(TSeriesNotification::Deleted, index);
  RepaintChart();
}

void TChartSeries::ClearLists() {
  for (TChartValueList* list : values_lists_) list->ClearAll();
  std::vector<TColor>().swap(colors_);
  std::vector<std::unique_ptr<std::string>>().swap(labels_);
}

void TChartSeries::ClearPoints() {
  ClearLists();
  if (OnClearValues)
    OnClearValues(*this);
  NotifyDependents(TSeriesNotification::Cleared, -1);
  if (parent_chart_ != nullptr && !parent_chart_->IsDestroying())
    RepaintChart();
}

// --- Drawing --------------------------------------------------------------------------------------

void TChartSeries::DrawValues(TCanvas& canvas, const std::optional<TRect>& clip) {
  if (!active_ || parent_chart_ == nullptr)
    return;
  CalcShownRange();
  if (first_shown_ < 0)
    return;
  if (BeforeDrawValues)
    BeforeDrawValues(*this);
  if (clip)
    canvas.ClipRect(*clip);
  DrawShownPoints(canvas);
  if (clip)
    canvas.RemoveClip();
  if (AfterDrawValues)
    AfterDrawValues(*this);
}

// The edge values come from the plot edges through the axis, so an inverted axis swaps them.
void TChartSeries::CalcShownRange() {
  if (parent_chart_ == nullptr || PointCount() == 0) {
    SetShownRange(-1, -1);
    return;
  }
  if (!CalcVisiblePoints()) {
    SetShownRange(0, PointCount() - 1);
    return;
  }
  const TChartAxis& axis = parent_chart_->HorizAxisOf(*this);
  const TRect& plot = parent_chart_->PlotRect();
  const double low = axis.PixelToValue(axis.Inverted() ? plot.Right : plot.Left);
  const double high = axis.PixelToValue(axis.Inverted() ? plot.Left : plot.Right);
  const TShownRange range = ShownRange(x_values_, low, high, DrawsBeyondEdgeForRange());
  SetShownRange(range.First, range.Last);
}

int TChartSeries::HitTest(int, int) {
  return -1;
}

void TChartSeries::DrawShownPoints(TCanvas& canvas) {
  for (int i = first_shown_; i <= last_shown_; ++i) DrawPoint(canvas, i);
}

void TChartSeries::DrawPoint(TCanvas&, int) {}

void TChartSeries::RepaintChart() const {
  if (parent_chart_ != nullptr)
    parent_chart_->Invalidate();
}

void TChartSeries::CopySourcePoint(const TChartSeries& source, int index) {
  AddPoint(source.XValueAt(index), source.YValueAt(index), source.PointLabel(index),
           source.PointColor(index));
}

void TChartSeries::ReadSourcePoints(const TChartSeries& source) {
  ClearPoints();
  for (int i = 0; i < source.PointCount(); ++i) CopySourcePoint(source, i);
}

// Dependents follow this series as their recalculation switches say. The list is copied because
// a dependent's own handlers may relink sources while it follows.
void TChartSeries::NotifyDependents(TSeriesNotification kind, int index) {
  if (dependents_.empty())
    return;
  const std::vector<TChartSeries*> dependents = dependents_;
  for (TChartSeries* d : dependents) {
    const TRecalcOptions& o = d->recalc_options_;
    switch (kind) {
      case TSeriesNotification::Cleared:
        if (o.OnClear)
          d->ClearPoints();
        break;
      case TSeriesNotification::Inserted:
        if (o.OnInsert)
          d->CopySourcePoint(*this, index);
        break;
      case TSeriesNotification::Deleted:
        if (o.OnDelete && index < d->PointCount())
          d->DeletePoint(index);
        break;
      case TSeriesNotification::Modified:
        if (o.OnModify)
          d->ReadSourcePoints(*this);
        break;
      case TSeriesNotification::Recalculate:
        d->ReadSourcePoints(*this);
        break;
    }
  }
}

void TChartSeries::Assign(const TChartSeries& source) {
  if (&source == this)
    return;
  SetActive(source.active_);
  SetColorEachPoint(source.color_each_point_);
  SetColorSource(source.color_source_);
  SetCursor(source.cursor_);
  marks_.Assign(source.marks_);
  SetPercentFormat(source.percent_format_);
  SetValueFormat(source.value_format_);
  SetTitle(source.title_);
  SetXLabelsSource(source.x_labels_source_);
  SetShowInLegend(source.show_in_legend_);
  SetHorizAxis(source.horiz_axis_);
  SetVertAxis(source.vert_axis_);
  SetSeriesColor(source.series_color_);
  SetXValues(source.x_values_);
  SetYValues(source.y_values_);
}

void TChartSeries::DrawLegendSample(TCanvas& canvas, const TRect& box) const {
  const int side = std::min(box.Width(), box.Height());
  const int left = box.Left + (box.Width() - side) / 2;
  const int top = box.Top + (box.Height() - side) / 2;
  canvas.Pen = TPen{};
  canvas.Brush = {SeriesColor(), bsSolid};
  canvas.Rectangle(left, top, left + side, top + side);
}

}  // namespace corvane
