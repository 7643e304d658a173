// Zoom of a chart's four axes by the mouse wheel, around the values under the pointer.
#include <array>
#include <cmath>
#include <utility>

#include "chart/custom_chart.h"
#include "chart/value_range.h"
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

}  // namespace

// Narrower than AssignRange allows, an axis would be widened again and the value under the
// pointer would move; an axis no series uses may stay as narrow as it is (it shows nothing).
bool TCustomChart::WheelZoom(int x, int y, int notches) {
  if (notches == 0 || zoom_.Active || scroll_.Active || !InPlotArea(*this, x, y))
    return false;
  std::array<std::pair<TChartAxis*, TValueRange>, 4> targets{
      {{&TopAxis(), {}}, {&BottomAxis(), {}}, {&LeftAxis(), {}}, {&RightAxis(), {}}}};
  for (auto& [axis, target] : targets) {
    const double value = axis->PixelToValue(axis->Horizontal() ? x : y);
    const TValueRange bounds = axis->Bounds();
    if (!std::isfinite(value))
      return false;
    try {
      target = bounds.WheelZoomed(value, notches);
    } catch (const EMathError&) {
      return false;  // beyond the double range: the wheel goes no further
    }
    if (target.Width() < kNarrowestRange && target.Width() < bounds.Width() && ShowsASeries(*this, *axis))
      return false;
  }
  if (!axis_state_saved_)
    SaveAxisStates(true);
  for (const auto& [axis, target] : targets) axis->AssignRange(target);
  zoomed_ = true;
  if (OnZoom)
    OnZoom(*this);
  Invalidate();
  return true;
}

}  // namespace corvane
