// TCustomAxisPanel: a chart panel with four axes and a series list. It binds series
// (AttachSeries hands out a free palette colour), answers the axes' questions about their series
// (SeriesExtreme, with and without paging; IsAxisShown) and runs the scaling steps of a paint
// (ResolveRanges, then ApplyPixelMargins once the plot rectangle is final).
//
// Series may be owned by the chart (CreateSeries) or by the caller; either way a series leaves
// the chart when it is destroyed, and the chart detaches, or frees, its series when it is
// destroyed itself.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "chart/chart_axis.h"
#include "chart/chart_panel.h"
#include "chart/chart_series.h"
#include "chart/series_list.h"

namespace corvane {

class TCustomAxisPanel : public TCustomChartPanel {
 public:
  TCustomAxisPanel();
  ~TCustomAxisPanel() override;

  TChartAxis& LeftAxis() { return left_axis_; }
  const TChartAxis& LeftAxis() const { return left_axis_; }
  TChartAxis& RightAxis() { return right_axis_; }
  const TChartAxis& RightAxis() const { return right_axis_; }
  TChartAxis& TopAxis() { return top_axis_; }
  const TChartAxis& TopAxis() const { return top_axis_; }
  TChartAxis& BottomAxis() { return bottom_axis_; }
  const TChartAxis& BottomAxis() const { return bottom_axis_; }
  // The four axes in the two orders the chart walks them: the plot gives room to the vertical axes
  // first (Left, Right, Top, Bottom); drawing, zoom and the saved states of an undo go horizontal
  // first (Top, Bottom, Left, Right), the order of TZoomTargets::HorizFirst.
  std::array<TChartAxis*, 4> AxesVertFirst() {
    return {&left_axis_, &right_axis_, &top_axis_, &bottom_axis_};
  }
  std::array<TChartAxis*, 4> AxesHorizFirst() {
    return {&top_axis_, &bottom_axis_, &left_axis_, &right_axis_};
  }
  // The axes a series is bound to.
  const TChartAxis& HorizAxisOf(const TChartSeries& series) const;
  const TChartAxis& VertAxisOf(const TChartSeries& series) const;
  TChartAxis& HorizAxisOf(const TChartSeries& series);
  TChartAxis& VertAxisOf(const TChartSeries& series);

  const TChartSeriesList& SeriesList() const { return series_list_; }
  // Creates a series owned by this chart and attaches it.
  template <class S, class... Args>
  S& CreateSeries(Args&&... args) {
    auto series = std::make_unique<S>(std::forward<Args>(args)...);
    S& result = *series;
    owned_series_.push_back(std::move(series));
    result.SetParentChart(this);
    return result;
  }
  // Nothing when already in the list. A series without colour gets the free palette colour.
  void AttachSeries(TChartSeries& series);
  // Nothing when not in the list.
  void DetachSeries(TChartSeries& series);
  // The first palette colour that no series of this chart uses and that differs from Color and
  // BackColor; clRed when none qualifies.
  TColor FreeSeriesColor() const;

  bool AxisVisible() const { return axis_visible_; }
  void SetAxisVisible(bool value) { Store(axis_visible_, value); }
  // Paging: 0 points per page (the default) shows every point.
  int MaxPointsPerPage() const { return max_points_per_page_; }
  void SetMaxPointsPerPage(int count) { Store(max_points_per_page_, count); }
  int Page() const { return page_; }
  void SetPage(int page) { Store(page_, page); }
  bool ScaleLastPage() const { return scale_last_page_; }
  void SetScaleLastPage(bool value) { Store(scale_last_page_, value); }

  // 3-D look: the offset of the back plane, per mille of the plot size per series layer.
  bool View3D() const { return view_3d_; }
  void SetView3D(bool value) { Store(view_3d_, value); }
  bool View3DWalls() const { return view_3d_walls_; }
  void SetView3DWalls(bool value) { Store(view_3d_walls_, value); }
  int Chart3DPercent() const { return chart_3d_percent_; }
  void SetChart3DPercent(int per_mille) { Store(chart_3d_percent_, per_mille); }
  // Working state of the last layout: the whole 3-D offset (0 in 2-D) and the part of it that
  // one series layer takes.
  int Width3D() const { return width_3d_; }
  int Height3D() const { return height_3d_; }
  int SeriesDepth() const { return series_depth_; }
  void SetDepth3D(int width, int height, int series_depth) {
    width_3d_ = width;
    height_3d_ = height;
    series_depth_ = series_depth;
  }

  // The smallest or largest value that the active series bound to `axis` in the asked direction
  // show; 0 without such a series. With paging, the bounds of the shown page in the X direction.
  double SeriesExtreme(const TChartAxis& axis, bool want_minimum, bool horizontal) const;
  // False unless AxisVisible and the axis's Visible; then whether an active series that uses
  // axes is bound to it (True when no active series uses axes).
  bool IsAxisShown(const TChartAxis& axis) const;
  // Whether the series is bound to the axis as its horizontal or its vertical axis.
  bool IsSeriesOnAxis(const TChartSeries& series, const TChartAxis& axis) const;

  // Paint steps: ResolveRange for the left, right, top and bottom axes; ApplyPixelMargins for
  // the top, left, right and bottom axes.
  void ResolveRanges();
  void ApplyPixelMargins();

 private:
  // The paged answer, or nothing when the query is not one of the paged X direction.
  std::optional<double> PagedExtreme(const TChartAxis& axis, bool want_minimum, bool horizontal) const;
  const TChartSeries* FirstActiveSeriesOn(const TChartAxis& axis) const;

  TChartAxis left_axis_;
  TChartAxis right_axis_;
  TChartAxis top_axis_;
  TChartAxis bottom_axis_;
  TChartSeriesList series_list_;
  std::vector<std::unique_ptr<TChartSeries>> owned_series_;
  bool axis_visible_ = true;
  int max_points_per_page_ = 0;
  int page_ = 1;
  bool scale_last_page_ = true;
  bool view_3d_ = true;
  bool view_3d_walls_ = true;
  int chart_3d_percent_ = 15;
  int width_3d_ = 0;
  int height_3d_ = 0;
  int series_depth_ = 0;
};

}  // namespace corvane
