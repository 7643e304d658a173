#include "chart/chart_brush.h"

namespace corvane {

TChartBrush::TChartBrush(TChangeNotice on_change) : on_change_(std::move(on_change)) {}

void TChartBrush::SetColor(TColor color) {
  if (StoreChanged(brush_.Color, color))
    Changed();
}

void TChartBrush::SetStyle(TBrushStyle style) {
  if (StoreChanged(brush_.Style, style))
    Changed();
}

void TChartBrush::Assign(const TChartBrush& source) {
  if (&source == this || brush_ == source.brush_)
    return;
  brush_ = source.brush_;
  Changed();
}

void TChartBrush::Changed() const {
  Notify(on_change_);
}

}  // namespace corvane
