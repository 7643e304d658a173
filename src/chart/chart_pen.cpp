#include "chart/chart_pen.h"

namespace corvane {

TChartPen::TChartPen(TChangeNotice on_change, TPen initial, bool visible)
    : pen_(initial), visible_(visible), on_change_(std::move(on_change)) {}

template <class T>
void TChartPen::Store(T& field, T value) {
  if (StoreChanged(field, value))
    Changed();
}

void TChartPen::SetColor(TColor color) {
  Store(pen_.Color, color);
}
void TChartPen::SetWidth(int width) {
  Store(pen_.Width, width);
}
void TChartPen::SetStyle(TPenStyle style) {
  Store(pen_.Style, style);
}
void TChartPen::SetMode(TPenMode mode) {
  Store(pen_.Mode, mode);
}
void TChartPen::SetVisible(bool visible) {
  Store(visible_, visible);
}

void TChartPen::Assign(const TChartPen& source) {
  if (&source == this || (pen_ == source.pen_ && visible_ == source.visible_))
    return;
  pen_ = source.pen_;
  visible_ = source.visible_;
  Changed();
}

void TChartPen::Changed() const {
  Notify(on_change_);
}

}  // namespace corvane
