#include "reaction_support.h"

#include <gtest/gtest.h>

namespace corvane {

void RecordingSink::AddPathPoint(double time, double inhibition) {
  points.push_back({time, inhibition});
  deliveries.push_back({false, points.back(), {}});
}

void RecordingSink::AddPeriodRecord(const TPeriodRecord& record) {
  records.push_back(record);
  deliveries.push_back({true, {}, record});
}

ScriptedDraws::ScriptedDraws(std::initializer_list<long double> draws)
    : state_(std::make_shared<State>(State{draws, 0})) {}

TRandomSource ScriptedDraws::Source() {
  return [state = state_]() -> long double {
    if (state->next >= state->draws.size()) {
      ADD_FAILURE() << "the reaction drew more than the " << state->draws.size() << " scripted draws";
      return 0.5L;
    }
    return state->draws[state->next++];
  };
}

TParameterSet DefaultParameters() {
  return {5, 1, 1, 0.5, 0.5, 5};
}

void PrintTo(const TParameterSet& P, std::ostream* out) {
  *out << "{A=" << P.A << " a1=" << P.a1 << " a0=" << P.a0 << " c1=" << P.c1 << " c0=" << P.c0
       << " y0=" << P.y0 << "}";
}

void PrintTo(const PathPoint& p, std::ostream* out) {
  out->precision(17);
  *out << "(" << p.time << ", " << p.inhibition << ")";
}

}  // namespace corvane
