#include "chart/chart_part.h"

#include "chart/chart_panel.h"

namespace corvane {

void TChartPart::Repaint() const {
  if (chart_ != nullptr)
    chart_->Invalidate();
}

}  // namespace corvane
