#include "chart/chart_font_object.h"

#include "chart/chart_panel.h"

namespace corvane {

TChartFontObject::TChartFontObject(TCustomChartPanel* chart) : chart_(chart), font_(RepaintNotice()) {}

void TChartFontObject::Repaint() const {
  if (chart_ != nullptr)
    chart_->Invalidate();
}

}  // namespace corvane
