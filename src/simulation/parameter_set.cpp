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

double StationaryMean(const TParameterSet& P) {
  return StoreDouble(ExtendedStationaryMean(P));
}

double AxisMax(const TParameterSet& P) {
  return StoreDouble(ExtendedStationaryMean(P) * 2.0L);
}

}  // namespace corvane
