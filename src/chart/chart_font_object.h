// TChartFontObject: the base of the axis and title objects. It refers to its chart (which it
// asks for repaints) and owns one font whose changes repaint that chart.
#pragma once

#include "chart/chart_font.h"
#include "chart/chart_part.h"

namespace corvane {

class TChartFontObject : public TChartPart {
 public:
  explicit TChartFontObject(TCustomChartPanel* chart) : TChartPart(chart), font_(RepaintNotice()) {}

  TChartFont& Font() { return font_; }
  const TChartFont& Font() const { return font_; }

 private:
  TChartFont font_;
};

}  // namespace corvane
