#include "chart/axis_state.h"

namespace corvane {

TSavedAxisState SaveAxisState(const TChartAxis& axis) {
  return {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Bounds()};
}

void RestoreAxisState(TChartAxis& axis, const TSavedAxisState& state) {
  axis.SetAutomatic(state.Automatic);
  axis.SetAutomaticMinimum(state.AutomaticMinimum);
  axis.SetAutomaticMaximum(state.AutomaticMaximum);
  if (!axis.Automatic())
    axis.AssignRange(state.Bounds);
}

}  // namespace corvane
