#include "analysis/data_resolution.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/series_statistics.h"

namespace corvane {
namespace {

bool AllMultiplesOf(std::span<const double> values, long double unit) {
  for (const double v : values) {
    const long double units = static_cast<long double>(v) / unit;
    if (!(std::fabs(units) < 0x1p32L))
      return false;
    const long double whole = std::nearbyint(units);
    if (whole == 0 || std::fabs(units - whole) > 1e-6L)
      return false;
  }
  return true;
}

}  // namespace

double DataResolution(std::span<const double> values) {
  double smallest = 0;
  for (const double v : values)
    if (std::isfinite(v) && v != 0)
      smallest = smallest == 0 ? std::fabs(v) : std::min(smallest, std::fabs(v));
  for (int d = -3; d <= 12; ++d) {
    const long double unit = std::pow(10.0L, static_cast<long double>(-d));
    if (AllMultiplesOf(values, unit))
      return static_cast<double>(unit);
  }
  return std::max(2 * kAtomTolerance * smallest, std::numeric_limits<double>::min());
}

}  // namespace corvane
