// TChartAxis: one of a chart's four axes. It holds the published scale settings of its edge,
// resolves before each paint the bounds actually used (CurrentMinimum, CurrentMaximum,
// CurrentRange) from its fixed or automatic settings and the chart's series, widens them by the
// series' pixel margins, and maps values to pixels and back inside the chart's PlotRect through
// the plain arithmetic of axis_scale.h.
//
// Setters follow the engine's rule: store only a different value, then mark the chart for
// repaint. Pens, the labels font and the title report their own changes the same way.
#pragma once

#include <functional>
#include <string>

#include "chart/axis_scale.h"
#include "chart/axis_title.h"
#include "chart/chart_font_object.h"
#include "chart/chart_pen.h"
#include "chart/value_range.h"

namespace corvane {

class TCustomAxisPanel;
class TChartAxis;
class TChartSeries;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
// How value labels are stepped: tlsLadder, the engine's rule (label_step.h: the successor ladder
// from Increment); tlsDecimal, steps of 1, 2 or 5 times a power of ten whose labels never overlap,
// written with the decimals the step needs (decimal_label_step.h), for charts of data.
enum TAxisLabelSteps { tlsLadder, tlsDecimal };

// May change a label's text; series is null and value_index -1 for a value label.
using TAxisOnGetLabel =
    std::function<void(TChartAxis& sender, TChartSeries* series, int value_index, std::string& label_text)>;
// Supplies the label values one by one: set label_value and leave stop False to place a label.
using TAxisOnGetNextLabel =
    std::function<void(TChartAxis& sender, int label_index, double& label_value, bool& stop)>;

class TChartAxis : public TChartFontObject {
 public:
  // Horizontal for the bottom and top axes; far_side for the top and right axes.
  TChartAxis(TCustomAxisPanel* chart, bool horizontal, bool far_side, int title_angle);

  TCustomAxisPanel* AxisPanel() const { return axis_panel_; }
  bool Horizontal() const { return horizontal_; }
  bool FarSide() const { return far_side_; }

  // Published, in stream order.
  bool Automatic() const { return automatic_; }
  // Unless the chart is loading, also sets both partial flags (without a second repaint request).
  void SetAutomatic(bool value);
  bool AutomaticMaximum() const { return automatic_maximum_; }
  // False also turns Automatic off.
  void SetAutomaticMaximum(bool value);
  bool AutomaticMinimum() const { return automatic_minimum_; }
  void SetAutomaticMinimum(bool value);
  TChartAxisPen& Axis() { return axis_pen_; }
  const TChartAxisPen& Axis() const { return axis_pen_; }
  const std::string& AxisValuesFormat() const { return axis_values_format_; }
  void SetAxisValuesFormat(const std::string& format) { Store(axis_values_format_, format); }
  bool IsAxisValuesFormatStored() const;
  const std::string& DateTimeFormat() const { return date_time_format_; }
  void SetDateTimeFormat(const std::string& format) { Store(date_time_format_, format); }
  TChartGridPen& Grid() { return grid_; }
  const TChartGridPen& Grid() const { return grid_; }
  double Increment() const { return increment_; }
  // AxisException "Axis increment must be >= 0".
  void SetIncrement(double increment);
  bool Inverted() const { return inverted_; }
  void SetInverted(bool value) { Store(inverted_, value); }
  bool Labels() const { return labels_; }
  void SetLabels(bool value) { Store(labels_, value); }
  int LabelsAngle() const { return labels_angle_; }
  // ChartException "Axis Labels Angle must be between 0 and 359 degrees" outside 0..360;
  // 360 is stored as 0.
  void SetLabelsAngle(int angle);
  TChartFont& LabelsFont() { return Font(); }
  const TChartFont& LabelsFont() const { return Font(); }
  bool LabelsOnAxis() const { return labels_on_axis_; }
  void SetLabelsOnAxis(bool value) { Store(labels_on_axis_, value); }
  int LabelsSeparation() const { return labels_separation_; }
  // AxisException "Labels Separation % must be greater than 0" below 0; 0 is accepted.
  void SetLabelsSeparation(int percent);
  int LabelsSize() const { return labels_size_; }
  void SetLabelsSize(int size) { Store(labels_size_, size); }
  TAxisLabelStyle LabelStyle() const { return label_style_; }
  void SetLabelStyle(TAxisLabelStyle style) { Store(label_style_, style); }
  bool Logarithmic() const { return logarithmic_; }
  // AxisException on a date-time axis, or when the resolved bounds are not both >= 0.
  void SetLogarithmic(bool value);
  double Maximum() const { return maximum_; }
  // AxisException "Axis Maximum Value must be >= Minimum" below Minimum, except while loading.
  void SetMaximum(double value);
  bool IsMaximumStored() const { return !automatic_ && !automatic_maximum_; }
  double Minimum() const { return minimum_; }
  // The stored bounds, Minimum and Maximum, as one value.
  TValueRange Bounds() const { return {minimum_, maximum_}; }
  // AxisException "Axis Minimum Value must be <= Maximum" above Maximum, except while loading.
  void SetMinimum(double value);
  bool IsMinimumStored() const { return !automatic_ && !automatic_minimum_; }
  int MinorTickCount() const { return minor_tick_count_; }
  void SetMinorTickCount(int count) { Store(minor_tick_count_, count); }
  int MinorTickLength() const { return minor_tick_length_; }
  void SetMinorTickLength(int length) { Store(minor_tick_length_, length); }
  TChartTickPen& MinorTicks() { return minor_ticks_; }
  const TChartTickPen& MinorTicks() const { return minor_ticks_; }
  int TickInnerLength() const { return tick_inner_length_; }
  void SetTickInnerLength(int length) { Store(tick_inner_length_, length); }
  int TickLength() const { return tick_length_; }
  void SetTickLength(int length) { Store(tick_length_, length); }
  TChartTickPen& Ticks() { return ticks_; }
  const TChartTickPen& Ticks() const { return ticks_; }
  TChartTickPen& TicksInner() { return ticks_inner_; }
  const TChartTickPen& TicksInner() const { return ticks_inner_; }
  TChartAxisTitle& Title() { return title_; }
  const TChartAxisTitle& Title() const { return title_; }
  int TitleSize() const { return title_size_; }
  void SetTitleSize(int size) { Store(title_size_, size); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Store(visible_, value); }
  bool ExactDateTime() const { return exact_date_time_; }
  void SetExactDateTime(bool value) { Store(exact_date_time_, value); }
  bool TickOnLabelsOnly() const { return tick_on_labels_only_; }
  void SetTickOnLabelsOnly(bool value) { Store(tick_on_labels_only_, value); }
  bool RoundFirstLabel() const { return round_first_label_; }
  void SetRoundFirstLabel(bool value) { Store(round_first_label_, value); }
  TAxisLabelSteps LabelSteps() const { return label_steps_; }
  void SetLabelSteps(TAxisLabelSteps steps) { Store(label_steps_, steps); }
  // With tlsDecimal: the decimals of the labels for the step the last layout chose (-1 before).
  int LabelDecimals() const { return label_decimals_; }
  void SetLabelDecimals(int places) { label_decimals_ = places; }

  // Label events (none assigned in this program).
  TAxisOnGetLabel OnGetAxisLabel;
  TAxisOnGetNextLabel OnGetNextAxisLabel;

  // Working state of the last paint.
  double CurrentMinimum() const { return scale_.Minimum; }
  double CurrentMaximum() const { return scale_.Maximum; }
  double CurrentRange() const { return scale_.Range(); }
  // The scale the mappings use: current bounds, Inverted and Logarithmic.
  TAxisScale Scale() const;
  // The date-time flag of this paint (IsDateTimeAxis as computed by UpdateDateTimeFlag).
  bool IsDateTime() const { return date_time_; }
  void UpdateDateTimeFlag() { date_time_ = IsDateTimeAxis(); }

  // Fixes the axis to the given bounds, smaller first, at least 0.001 apart; all three
  // automatic flags end False. (8, 3) gives 3..8; (5, 5) gives 5..5.001.
  void AssignRange(double a_min, double a_max);
  void AssignRange(const TValueRange& range) { AssignRange(range.Minimum, range.Maximum); }
  // Takes automatic bounds from the series (no validation, no repaint) and sets the current
  // bounds from Minimum and Maximum.
  void ResolveRange();
  // Widens the current bounds by the largest pixel margins its active series ask for. Minimum
  // and Maximum are left alone.
  void ApplyPixelMargins();

  // In the axis's own orientation, and forced horizontal or vertical.
  int ValueToPixel(double value) const;
  int ValueToPixelHoriz(double value) const;
  int ValueToPixelVert(double value) const;
  double PixelToValue(int pixel) const;

  // Positions kept from the layout of a paint to its drawing and to the mouse hit test, in
  // pixels across the axis: where the title and the labels are anchored, the plot edge on the
  // axis's side, and that edge moved by the 3-D offset (equal to it in 2-D).
  int TitlePosition() const { return title_position_; }
  void SetTitlePosition(int position) { title_position_ = position; }
  int LabelsPosition() const { return labels_position_; }
  void SetLabelsPosition(int position) { labels_position_ = position; }
  int AxisPosition() const { return axis_position_; }
  void SetAxisPosition(int position) { axis_position_ = position; }
  int DrawnAxisPosition() const { return drawn_axis_position_; }
  void SetDrawnAxisPosition(int position) { drawn_axis_position_ = position; }

  // The DateTime flag of the value list that the first active series bound to this axis shows
  // along it; False without such a series.
  bool IsDateTimeAxis() const;

  // Copies every published property, the pens, the title, the bounds and the automatic flags;
  // Logarithmic goes through its validating setter.
  void Assign(const TChartAxis& source);

 private:
  TMarginPair GatherMargins() const;
  const TRect& PlotRect() const;

  TCustomAxisPanel* axis_panel_;
  bool horizontal_;
  bool far_side_;

  bool automatic_ = true;
  bool automatic_maximum_ = true;
  bool automatic_minimum_ = true;
  TChartAxisPen axis_pen_;
  std::string axis_values_format_;
  std::string date_time_format_;
  TChartGridPen grid_;
  double increment_ = 0;
  bool inverted_ = false;
  bool labels_ = true;
  int labels_angle_ = 0;
  bool labels_on_axis_ = true;
  int labels_separation_ = 10;
  int labels_size_ = 0;
  TAxisLabelStyle label_style_ = talAuto;
  bool logarithmic_ = false;
  double maximum_ = 0;
  double minimum_ = 0;
  int minor_tick_count_ = 3;
  int minor_tick_length_ = 2;
  TChartTickPen minor_ticks_;
  int tick_inner_length_ = 0;
  int tick_length_ = 4;
  TChartTickPen ticks_;
  TChartTickPen ticks_inner_;
  TChartAxisTitle title_;
  int title_size_ = 0;
  bool visible_ = true;
  bool exact_date_time_ = true;
  bool tick_on_labels_only_ = true;
  bool round_first_label_ = true;
  TAxisLabelSteps label_steps_ = tlsLadder;
  int label_decimals_ = -1;

  TAxisScale scale_;
  bool date_time_ = false;
  int title_position_ = 0;
  int labels_position_ = 0;
  int axis_position_ = 0;
  int drawn_axis_position_ = 0;
};

}  // namespace corvane
