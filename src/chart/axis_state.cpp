#include "chart/axis_state.h"

namespace corvane {
namespace {

// The least distance AssignRange keeps between an axis's bounds.
constexpr long double kNarrowestRange = 0.001L;

bool ResolvedFromNothing(const TSavedAxisState& state) {
  return (state.Automatic || state.AutomaticMinimum || state.AutomaticMaximum) &&
         static_cast<long double>(state.Bounds.Maximum) - state.Bounds.Minimum < kNarrowestRange;
}

// Through the setters, each of which checks against the other bound: the order that keeps
// minimum <= maximum at every step. Bounds out of order (only a stream can store them) go through
// AssignRange, which puts them in order.
void SetBounds(TChartAxis& axis, const TValueRange& bounds) {
  if (!(bounds.Minimum <= bounds.Maximum)) {
    axis.AssignRange(bounds);
    return;
  }
  if (bounds.Minimum > axis.Maximum()) {
    axis.SetMaximum(bounds.Maximum);
    axis.SetMinimum(bounds.Minimum);
  } else {
    axis.SetMinimum(bounds.Minimum);
    axis.SetMaximum(bounds.Maximum);
  }
}

}  // namespace

TSavedAxisState SaveAxisState(const TChartAxis& axis) {
  return {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Bounds()};
}

void RestoreAxisState(TChartAxis& axis, const TSavedAxisState& state) {
  if (ResolvedFromNothing(state)) {
    RestoreAxisStateExactly(axis, state);
    return;
  }
  axis.SetAutomatic(state.Automatic);
  axis.SetAutomaticMinimum(state.AutomaticMinimum);
  axis.SetAutomaticMaximum(state.AutomaticMaximum);
  if (!axis.Automatic())
    axis.AssignRange(state.Bounds);
}

// Setting Automatic sets both partial flags to its value; each partial flag then gets its own.
void RestoreAxisStateExactly(TChartAxis& axis, const TSavedAxisState& state) {
  SetBounds(axis, state.Bounds);
  axis.SetAutomatic(state.Automatic);
  axis.SetAutomaticMinimum(state.AutomaticMinimum);
  axis.SetAutomaticMaximum(state.AutomaticMaximum);
}

}  // namespace corvane
