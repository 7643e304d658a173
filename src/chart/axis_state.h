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
  bool operator==(const TSavedAxisState&) const = default;
};

TSavedAxisState SaveAxisState(const TChartAxis& axis);

// The undoing drag: sets Automatic, then AutomaticMinimum, then AutomaticMaximum through their
// setters; an axis that is then not automatic gets the saved bounds by AssignRange, which turns
// all three flags off. So an axis saved with only AutomaticMaximum comes back fixed at its saved
// bounds. Except where those bounds were resolved from no data (an automatic bound on an empty
// chart, closer than AssignRange keeps): fixed there, the axis could never show the series that
// come later, so it comes back as RestoreAxisStateExactly puts it.
void RestoreAxisState(TChartAxis& axis, const TSavedAxisState& state);

// The wheel's undo and Reset zoom: the bounds as saved, then the three flags as saved, so that an
// automatic limit is automatic again and follows the data that arrives after.
void RestoreAxisStateExactly(TChartAxis& axis, const TSavedAxisState& state);

}  // namespace corvane
