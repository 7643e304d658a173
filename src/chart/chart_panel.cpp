#include "chart/chart_panel.h"

#include <cassert>

namespace corvane {

TCustomChartPanel::TCustomChartPanel() = default;

void TCustomChartPanel::Invalidate() {
  stale_ = true;
  if (!destroying_)
    RequestRepaint();
}

void TCustomChartPanel::EndLoading() {
  assert(loading_ > 0 && "EndLoading without BeginLoading");
  --loading_;
}

void TCustomChartPanel::SetCursor(TCursorId cursor) {
  if (StoreChanged(cursor_, cursor))
    CursorChanged();
}

}  // namespace corvane
