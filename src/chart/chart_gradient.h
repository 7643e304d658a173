// TChartGradient: an optional background of the chart panel running from StartColor to
// EndColor along Direction, and FillGradient, which paints it as bands of one colour each.
#pragma once

#include "chart/chart_part.h"
#include "framework/canvas.h"

namespace corvane {

enum TGradientDirection { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft };

class TChartGradient : public TChartPart {
 public:
  explicit TChartGradient(TCustomChartPanel* chart) : TChartPart(chart) {}

  TGradientDirection Direction() const { return direction_; }
  void SetDirection(TGradientDirection direction) { Store(direction_, direction); }
  TColor EndColor() const { return end_color_; }
  void SetEndColor(TColor color) { Store(end_color_, color); }
  TColor StartColor() const { return start_color_; }
  void SetStartColor(TColor color) { Store(start_color_, color); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Store(visible_, value); }

  void Assign(const TChartGradient& source);

 private:
  TGradientDirection direction_ = gdTopBottom;
  TColor end_color_ = clYellow;
  TColor start_color_ = clWhite;
  bool visible_ = false;
};

// At most 64 bands: beyond that the steps of an 8-bit colour ramp no longer show.
void FillGradient(TCanvas& canvas, const TRect& box, const TChartGradient& gradient);

// The colour a fraction t (0..1) of the way from `from` to `to`; system colours are resolved first.
TColor BlendColor(TColor from, TColor to, double t);

}  // namespace corvane
