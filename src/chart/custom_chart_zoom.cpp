// Zoom, undo and scroll of a chart's axes, and the rubber band of a zoom drag.
#include "chart/custom_chart.h"
#include "runtime/float_checks.h"

namespace corvane {

// The vertical axes take the lower edge (the larger pixel) as their first value.
TZoomTargets TCustomChart::TargetsOf(const TZoomPanningRecord& drag) const {
  const TFloatFaultCheck check;
  const auto across = [&](const TChartAxis& axis) {
    return TValueRange{axis.PixelToValue(drag.X0), axis.PixelToValue(drag.X1)};
  };
  const auto down = [&](const TChartAxis& axis) {
    return TValueRange{axis.PixelToValue(drag.Y1), axis.PixelToValue(drag.Y0)};
  };
  const TZoomTargets targets{across(TopAxis()), across(BottomAxis()), down(LeftAxis()), down(RightAxis())};
  check.Check();
  return targets;
}

void TCustomChart::ZoomRect(const TRect& rect) {
  TZoomPanningRecord drag{false, rect.Left, rect.Top, rect.Right, rect.Bottom};
  drag.PutInOrder();
  ZoomToBounds(TargetsOf(drag));
}

// Every axis is zoomed, whether a series uses it or not.
void TCustomChart::ZoomToBounds(const TZoomTargets& targets) {
  if (!axis_state_saved_)
    SaveAxisStates();
  const std::array<TChartAxis*, 4> axes = AxesHorizFirst();
  const std::array<TValueRange, 4> bounds = targets.HorizFirst();
  if (animated_zoom_) {
    for (int step = 1; step < animated_zoom_steps_; ++step) {
      for (std::size_t i = 0; i < axes.size(); ++i)
        axes[i]->AssignRange(axes[i]->Bounds().AnimatedStepTowards(bounds[i]));
      RepaintNow();
    }
  }
  for (std::size_t i = 0; i < axes.size(); ++i) axes[i]->AssignRange(bounds[i]);
  zoomed_ = true;
  if (OnZoom)
    OnZoom(*this);
}

// Nothing saved still counts as an undo: the event fires and the chart repaints.
void TCustomChart::UndoZoom() {
  RestoreAxisStates(saved_by_wheel_);
  EndUndo();
}

void TCustomChart::ResetZoom() {
  RestoreAxisStates(true);
  EndUndo();
}

bool TCustomChart::ResetWheelZoom() {
  if (!SavedByWheel())
    return false;
  ResetZoom();
  return true;
}

void TCustomChart::RestoreAxisStates(bool exactly) {
  if (!axis_state_saved_)
    return;
  const std::array<TChartAxis*, 4> axes = AxesHorizFirst();
  for (std::size_t i = 0; i < axes.size(); ++i) {
    if (exactly)
      RestoreAxisStateExactly(*axes[i], saved_axes_[i]);
    else
      RestoreAxisState(*axes[i], saved_axes_[i]);
  }
}

void TCustomChart::EndUndo() {
  axis_state_saved_ = false;
  saved_by_wheel_ = false;
  if (OnUndoZoom)
    OnUndoZoom(*this);
  Invalidate();
  zoomed_ = false;
}

void TCustomChart::SaveAxisStates(bool by_wheel) {
  const std::array<TChartAxis*, 4> axes = AxesHorizFirst();
  for (std::size_t i = 0; i < axes.size(); ++i) saved_axes_[i] = SaveAxisState(*axes[i]);
  axis_state_saved_ = true;
  saved_by_wheel_ = by_wheel;
}

// The values of both pixels come from the scale of the last paint; the shift is added to the
// stored bounds, which for an automatic axis hold what that paint resolved.
void TCustomChart::ScrollAxis(TChartAxis& axis, int from_pixel, int to_pixel) {
  TValueRange bounds = axis.Bounds().Scrolled(axis.PixelToValue(from_pixel), axis.PixelToValue(to_pixel));
  bool allow = true;
  if (OnAllowScroll)
    OnAllowScroll(axis, bounds.Minimum, bounds.Maximum, allow);
  if (allow)
    axis.AssignRange(bounds);
}

void TCustomChart::DrawZoomRectangle(TCanvas& canvas) {
  if (!zoom_.Active)
    return;
  canvas.Pen = {ZoomPenColor(Color()), 1, psSolid, pmNotXor};
  canvas.Brush.Style = bsClear;
  canvas.Rectangle(zoom_.X0, zoom_.Y0, zoom_.X1, zoom_.Y1);
  canvas.Pen.Mode = pmCopy;
}

}  // namespace corvane
