// The scale settings of one axis as a zoom or scroll found them, so that an undo can put them
// back: the three automatic flags and the stored bounds (for an automatic axis, the bounds its
// last paint resolved).
#pragma once

#include "chart/chart_axis.h"
#include "chart/value_range.h"

namespace corvane {

struct TSavedAxisState {
  bool Automatic = true;
  bool AutomaticMinimum = true;
  bool AutomaticMaximum = true;
  TValueRange Bounds;
};

TSavedAxisState SaveAxisState(const TChartAxis& axis);

// Sets Automatic, then AutomaticMinimum, then AutomaticMaximum through their setters; an axis
// that is then not automatic gets the saved bounds by AssignRange, which turns all three flags
// off. So an axis saved with only AutomaticMaximum comes back fixed at its saved bounds.
void RestoreAxisState(TChartAxis& axis, const TSavedAxisState& state);

}  // namespace corvane
