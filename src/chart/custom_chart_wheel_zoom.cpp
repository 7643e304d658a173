// Zoom of a chart's four axes by the mouse wheel, around the values under the pointer.
#include <array>
#include <cmath>
#include <utility>

#include "chart/custom_chart.h"
#include "chart/wheel_zoom.h"
#include "runtime/errors.h"

namespace corvane {
namespace {

// The least distance AssignRange keeps between an axis's bounds.
constexpr long double kNarrowestRange = 0.001L;

bool ShowsASeries(const TCustomChart& chart, const TChartAxis& axis) {
  for (const TChartSeries* s : chart.SeriesList()) {
    if (s->Active() && (&chart.HorizAxisOf(*s) == &axis || &chart.VertAxisOf(*s) == &axis))
      return true;
  }
  return false;
}

long double Width(const TAxisBounds& b) {
  return static_cast<long double>(b.Maximum) - b.Minimum;
}

}  // namespace

// Narrower than AssignRange allows, an axis would be widened again and the value under the
// pointer would move; an axis no series uses may stay as narrow as it is (it shows nothing).
bool TCustomChart::WheelZoom(int x, int y, int notches) {
  if (notches == 0 || zoom_.Active || scroll_.Active || !InPlotArea(*this, x, y))
    return false;
  std::array<std::pair<TChartAxis*, TAxisBounds>, 4> targets{
      {{&TopAxis(), {}}, {&BottomAxis(), {}}, {&LeftAxis(), {}}, {&RightAxis(), {}}}};
  for (auto& [axis, target] : targets) {
    const double value = axis->PixelToValue(axis->Horizontal() ? x : y);
    const TAxisBounds bounds{axis->Minimum(), axis->Maximum()};
    if (!std::isfinite(value))
      return false;
    try {
      target = WheelZoomedBounds(bounds, value, notches);
    } catch (const EMathError&) {
      return false;  // beyond the double range: the wheel goes no further
    }
    if (Width(target) < kNarrowestRange && Width(target) < Width(bounds) && ShowsASeries(*this, *axis))
      return false;
  }
  if (!axis_state_saved_)
    SaveAxisStates();
  for (const auto& [axis, target] : targets) axis->AssignRange(target.Minimum, target.Maximum);
  zoomed_ = true;
  if (OnZoom)
    OnZoom(*this);
  Invalidate();
  return true;
}

}  // namespace corvane
