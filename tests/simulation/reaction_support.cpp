#include "reaction_support.h"

namespace corvane {

void RecordingSink::AddPathPoint(double time, double inhibition) {
  points.push_back({time, inhibition});
  deliveries.push_back({false, points.back(), {}});
}

void RecordingSink::AddPeriodRecord(const TPeriodRecord& record) {
  records.push_back(record);
  deliveries.push_back({true, {}, record});
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
