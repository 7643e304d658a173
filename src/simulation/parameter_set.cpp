#include "simulation/parameter_set.h"

#include "runtime/float_checks.h"

namespace corvane {
namespace {

// Kept in extended precision: a1/a0 and its product with A may exceed the double range on the way
// even when the final value fits.
long double ExtendedStationaryMean(const TParameterSet& P) {
  const long double A = P.A;
  return static_cast<long double>(P.a1) / P.a0 * A + A;
}

}  // namespace

bool SameModel(const TParameterSet& a, const TParameterSet& b) noexcept {
  return a.A == b.A && a.a1 == b.a1 && a.a0 == b.a0 && a.c1 == b.c1 && a.c0 == b.c0;
}

double StationaryMean(const TParameterSet& P) {
  return StoreDouble(ExtendedStationaryMean(P));
}

double AxisMax(const TParameterSet& P) {
  return StoreDouble(ExtendedStationaryMean(P) * 2.0L);
}

}  // namespace corvane
