// TChartSeries: the data side of a plotted series. It owns two parallel value lists (XValues,
// YValues), a colour and an optional label per point, and its Marks. Points come in through
// AddPoint, which inserts by the order of XValues and keeps every list in step; a change never
// redraws anything, it only asks the parent chart (TCustomAxisPanel) for a repaint. The chart
// binds series through SetParentChart / AttachSeries / DetachSeries and reads MinX..MaxY, which
// the value lists keep as running caches. At a paint the chart calls DrawValues, which visits only
// the points whose X lies within the horizontal axis's bounds (shown_range.h); the drawing of the
// line kinds is TCustomSeries's.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/change_notice.h"
#include "chart/margin_pair.h"
#include "chart/series_marks.h"
#include "chart/value_list.h"
#include "framework/canvas.h"
#include "framework/color.h"
#include "framework/cursors.h"
#include "framework/mouse.h"
#include "framework/rect.h"

namespace corvane {

class TCustomAxisPanel;
class TChartSeries;

enum THorizAxis { aTopAxis, aBottomAxis };
enum TVertAxis { aLeftAxis, aRightAxis };

enum class TSeriesNotification { Cleared, Inserted, Deleted, Recalculate, Modified };

using TSeriesNotifyEvent = std::function<void(TChartSeries& sender)>;
// Returning false vetoes the point being added.
using TSeriesOnBeforeAdd = std::function<bool(TChartSeries& sender)>;
using TSeriesOnAfterAdd = std::function<void(TChartSeries& sender, int value_index)>;
using TSeriesOnClear = std::function<void(TChartSeries& sender)>;
// May change the text of a point's mark (marks are never drawn in this program).
using TSeriesOnGetMarkText =
    std::function<void(TChartSeries& sender, int value_index, std::string& mark_text)>;
// A press of the mouse on a point of the series.
using TSeriesClick = std::function<void(TChartSeries& sender, int value_index, TMouseButton button,
                                        TShiftState shift, int x, int y)>;

// Whether a series, as a dependent of a data source, follows its source's changes.
struct TRecalcOptions {
  bool OnDelete = true;
  bool OnModify = true;
  bool OnInsert = true;
  bool OnClear = true;
};

class TChartSeries {
 public:
  TChartSeries();
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;
  virtual ~TChartSeries();

  // Component identity (streamed before the published properties).
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  long Tag() const { return tag_; }
  void SetTag(long tag) { tag_ = tag; }

  // Published, in stream order.
  bool Active() const { return active_; }
  virtual void SetActive(bool active);
  bool ColorEachPoint() const { return color_each_point_; }
  void SetColorEachPoint(bool value) { Store(color_each_point_, value); }
  const std::string& ColorSource() const { return color_source_; }
  void SetColorSource(const std::string& source) { color_source_ = source; }
  TCursorId Cursor() const { return cursor_; }
  void SetCursor(TCursorId cursor) { cursor_ = cursor; }
  TSeriesMarks& Marks() { return marks_; }
  const TSeriesMarks& Marks() const { return marks_; }
  TCustomAxisPanel* ParentChart() const { return parent_chart_; }
  virtual void SetParentChart(TCustomAxisPanel* chart);
  // A series this one takes its points from; the link is kept safe on either side's destruction.
  TChartSeries* DataSource() const { return data_source_; }
  void SetDataSource(TChartSeries* source);
  const std::string& PercentFormat() const { return percent_format_; }
  void SetPercentFormat(const std::string& format) { Store(percent_format_, format); }
  bool IsPercentFormatStored() const;
  const std::string& ValueFormat() const { return value_format_; }
  void SetValueFormat(const std::string& format) { Store(value_format_, format); }
  bool IsValueFormatStored() const;
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { Store(title_, title); }
  const std::string& XLabelsSource() const { return x_labels_source_; }
  void SetXLabelsSource(const std::string& source) { x_labels_source_ = source; }
  bool ShowInLegend() const { return show_in_legend_; }
  void SetShowInLegend(bool value) { Store(show_in_legend_, value); }

  TSeriesNotifyEvent AfterDrawValues;
  TSeriesNotifyEvent BeforeDrawValues;
  TSeriesOnAfterAdd OnAfterAdd;
  TSeriesOnBeforeAdd OnBeforeAdd;
  TSeriesOnClear OnClearValues;
  TSeriesOnGetMarkText OnGetMarkText;
  // Fired by a press on a point (OnDblClick for the press of a double click); a handler that
  // leaves the chart's CancelMouse set keeps the chart from starting a drag.
  TSeriesClick OnClick;
  TSeriesClick OnDblClick;

  // Published by the line kinds; every chart query reads them from any series.
  THorizAxis HorizAxis() const { return horiz_axis_; }
  void SetHorizAxis(THorizAxis axis) { Store(horiz_axis_, axis); }
  TVertAxis VertAxis() const { return vert_axis_; }
  void SetVertAxis(TVertAxis axis) { Store(vert_axis_, axis); }
  TColor SeriesColor() const { return series_color_; }
  virtual void SetSeriesColor(TColor color);

  // Data.
  TChartValueList& XValues() { return x_values_; }
  const TChartValueList& XValues() const { return x_values_; }
  TChartValueList& YValues() { return y_values_; }
  const TChartValueList& YValues() const { return y_values_; }
  // Copies Order, DateTime, Multiplier and ValueSource into the own list, then repaints.
  void SetXValues(const TChartValueList& source);
  void SetYValues(const TChartValueList& source);
  // Entry 0 is XValues, entry 1 YValues.
  const std::vector<TChartValueList*>& ValuesLists() const { return values_lists_; }
  // The list along the axis that is not the X direction; YValues for every kind here, so the
  // series runs with X along the horizontal axis.
  virtual const TChartValueList& MandatoryList() const { return y_values_; }
  bool XIsHorizontal() const { return &MandatoryList() == &y_values_; }
  // False for kinds drawn without axes.
  virtual bool UseAxis() const { return true; }

  int PointCount() const { return x_values_.Count(); }
  virtual double XValueAt(int index) const { return x_values_.ValueAt(index); }
  virtual double YValueAt(int index) const { return y_values_.ValueAt(index); }
  virtual std::string PointLabel(int index) const;
  virtual TColor PointColor(int index) const;
  const std::vector<TColor>& PointColors() const { return colors_; }

  // Returns the index at which the point was stored, or -1 when OnBeforeAdd vetoed it.
  virtual int AddPoint(double x, double y, const std::string& label = {}, TColor color = clAutoColor);
  // AddPoint with x = PointCount().
  virtual int AddValue(double y, const std::string& label = {}, TColor color = clAutoColor);
  // A point drawn as a gap: AddValue(0, label, clNone).
  virtual int AddGap(const std::string& label = {});
  virtual void DeletePoint(int index);
  virtual void ClearPoints();

  virtual double MaxX() const { return x_values_.HighestValue(); }
  virtual double MinX() const { return x_values_.LowestValue(); }
  virtual double MaxY() const { return y_values_.HighestValue(); }
  virtual double MinY() const { return y_values_.LowestValue(); }

  // Pixels the series needs kept free beside its points, per axis direction.
  virtual TMarginPair HorizMargins() const { return {}; }
  virtual TMarginPair VertMargins() const { return {}; }

  // The series' sample in a legend item, within `box`: a box of the series colour; a line series
  // draws its line (colour, width, dashes) and its marker, so the legend tells the lines apart.
  virtual void DrawLegendSample(TCanvas& canvas, const TRect& box) const;

  // Asks the parent chart, if any, for a repaint; nothing else is invalidated.
  void RepaintChart() const;
  void NotifyDependents(TSeriesNotification kind, int index);
  TRecalcOptions& RecalcOptions() { return recalc_options_; }

  // One series' part of a chart paint onto `canvas`, clipped to `clip` when given: nothing when
  // inactive or when no point is shown; otherwise BeforeDrawValues, the shown points in
  // ascending order, AfterDrawValues. The parent chart's axes must be laid out for this paint.
  void DrawValues(TCanvas& canvas, const std::optional<TRect>& clip);
  // Recomputes FirstShownIndex and LastShownIndex from the horizontal axis's current bounds.
  void CalcShownRange();
  // The index of the point (or, for the line kinds, the segment's first point) under pixel
  // (x, y) at the last paint; -1 when none.
  virtual int HitTest(int x, int y);
  // What HitTest answers, without its events: the point under the mouse, for the cursor.
  virtual int PointUnder(int x, int y) const;
  // The series' own handling of a press on point `value_index` (series_click.cpp): fires
  // OnDblClick or OnClick with the chart's CancelMouse set, and answers whether the handler left
  // it set. False when no handler ran.
  virtual bool Clicked(int value_index, TMouseButton button, TShiftState shift, int x, int y);

  // Drawing state: the range of points visible at the last paint, -1 when none.
  int FirstShownIndex() const { return first_shown_; }
  int LastShownIndex() const { return last_shown_; }
  void SetShownRange(int first, int last) {
    first_shown_ = first;
    last_shown_ = last;
  }
  int SeriesLayer() const { return series_layer_; }
  void SetSeriesLayer(int layer) { series_layer_ = layer; }

  // Copies the settings of another series (not its points, not its chart or events).
  virtual void Assign(const TChartSeries& source);

 protected:
  // False for kinds that always show every point (the range then runs 0 .. PointCount() - 1).
  virtual bool CalcVisiblePoints() const { return true; }
  // Whether the shown range runs on to the first point beyond the right edge.
  virtual bool DrawsBeyondEdgeForRange() const { return true; }
  // Draws FirstShownIndex .. LastShownIndex; kinds that draw set up their pass here.
  virtual void DrawShownPoints(TCanvas& canvas);
  virtual void DrawPoint(TCanvas& canvas, int index);
  virtual void PointAdded(int index);
  // Empties every value list, the colours and the labels.
  virtual void ClearLists();
  // A pen, brush or font of the series changed.
  virtual void SubObjectChanged() { RepaintChart(); }
  TChangeNotice SubObjectNotice() {
    return [this] { SubObjectChanged(); };
  }
  template <class T>
  void Store(T& field, const T& value) {
    if (StoreChanged(field, value))
      RepaintChart();
  }

 private:
  friend class TCustomAxisPanel;

  void InsertLabel(int index, const std::string& label);
  void ReadSourcePoints(const TChartSeries& source);
  void CopySourcePoint(const TChartSeries& source, int index);

  std::string name_;
  long tag_ = 0;

  bool active_ = true;
  bool color_each_point_ = false;
  std::string color_source_;
  TCursorId cursor_ = 0;
  TSeriesMarks marks_;
  TCustomAxisPanel* parent_chart_ = nullptr;
  TChartSeries* data_source_ = nullptr;
  std::string percent_format_;
  std::string value_format_;
  std::string title_;
  std::string x_labels_source_;
  bool show_in_legend_ = true;

  THorizAxis horiz_axis_ = aBottomAxis;
  TVertAxis vert_axis_ = aLeftAxis;
  TColor series_color_ = clAutoColor;

  TChartValueList x_values_;
  TChartValueList y_values_;
  std::vector<TChartValueList*> values_lists_;
  std::vector<TColor> colors_;
  // Null for an empty label. The list stays empty until a point brings a label, then runs
  // parallel to the values, so series without labels (all of this program's) carry none.
  std::vector<std::unique_ptr<std::string>> labels_;

  int first_shown_ = -1;
  int last_shown_ = -1;
  int series_layer_ = 0;

  std::vector<TChartSeries*> dependents_;
  TRecalcOptions recalc_options_;
};

}  // namespace corvane
