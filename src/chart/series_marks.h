// TSeriesMarks: the per-point marks of a series. They are switched off in every series of this
// program and never drawn; the object keeps its settings and repaints its series' chart when
// one changes.
#pragma once

#include "chart/change_notice.h"
#include "chart/chart_font.h"
#include "chart/chart_pen.h"
#include "framework/color.h"

namespace corvane {

enum TSeriesMarksStyle {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue
};

class TSeriesMarks {
 public:
  explicit TSeriesMarks(TChangeNotice on_change);
  TSeriesMarks(const TSeriesMarks&) = delete;
  TSeriesMarks& operator=(const TSeriesMarks&) = delete;

  // Published, in stream order.
  TChartArrowPen& Arrow() { return arrow_; }
  const TChartArrowPen& Arrow() const { return arrow_; }
  int ArrowLength() const { return arrow_length_; }
  void SetArrowLength(int length) { Store(arrow_length_, length); }
  TColor BackColor() const { return back_color_; }
  void SetBackColor(TColor color) { Store(back_color_, color); }
  bool Clip() const { return clip_; }
  void SetClip(bool clip) { Store(clip_, clip); }
  TChartFont& Font() { return font_; }
  const TChartFont& Font() const { return font_; }
  TChartPen& Frame() { return frame_; }
  const TChartPen& Frame() const { return frame_; }
  TSeriesMarksStyle Style() const { return style_; }
  void SetStyle(TSeriesMarksStyle style) { Store(style_, style); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { Store(transparent_, transparent); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { Store(visible_, visible); }

  void Assign(const TSeriesMarks& source);

 private:
  template <class T>
  void Store(T& field, T value) {
    if (StoreChanged(field, value))
      Notify(on_change_);
  }

  TChangeNotice on_change_;
  TChartArrowPen arrow_;
  int arrow_length_ = 8;
  TColor back_color_ = clLightYellow;
  bool clip_ = false;
  TChartFont font_;
  TChartPen frame_;
  TSeriesMarksStyle style_ = smsLabel;
  bool transparent_ = false;
  bool visible_ = false;
};

}  // namespace corvane
