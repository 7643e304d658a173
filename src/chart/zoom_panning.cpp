#include "chart/zoom_panning.h"

#include "framework/rect.h"

namespace corvane {

void TZoomPanningRecord::Start(int x, int y) {
  X0 = X1 = x;
  Y0 = Y1 = y;
  Active = true;
}

void TZoomPanningRecord::PutInOrder() {
  const TRect ordered = TRect{X0, Y0, X1, Y1}.Normalized();
  X0 = ordered.Left;
  Y0 = ordered.Top;
  X1 = ordered.Right;
  Y1 = ordered.Bottom;
}

// The differences are taken wide: pixels far outside the widget must not wrap.
TZoomRelease ZoomReleaseAction(const TZoomPanningRecord& drag) {
  const long long dx = static_cast<long long>(drag.X1) - drag.X0;
  const long long dy = static_cast<long long>(drag.Y1) - drag.Y0;
  if ((dx > 0 ? dx : -dx) <= kZoomThreshold || (dy > 0 ? dy : -dy) <= kZoomThreshold)
    return TZoomRelease::Nothing;
  return dx > 0 && dy > 0 ? TZoomRelease::Zoom : TZoomRelease::Undo;
}

TColor ZoomPenColor(TColor panel_color) {
  return panel_color == clWhite ? clRed : panel_color;
}

}  // namespace corvane
