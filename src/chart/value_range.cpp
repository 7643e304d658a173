#include "chart/value_range.h"

#include <cmath>

#include "runtime/float_checks.h"

namespace corvane {

// The values come from PixelToValue and the stored bounds, all finite doubles.
TValueRange TValueRange::Scrolled(double from_value, double to_value) const {
  const TFloatFaultCheck check;
  const long double shift = static_cast<long double>(from_value) - to_value;
  const TValueRange result{StoreDouble(Minimum + shift), StoreDouble(Maximum + shift)};
  check.Check();
  return result;
}

// The power is taken inside the check: a scale beyond the range is the same overflow.
TValueRange TValueRange::WheelZoomed(double value, int notches) const {
  const TFloatFaultCheck check;
  const long double scale =
      std::pow(static_cast<long double>(kWheelZoomFactor), -static_cast<long double>(notches));
  const long double v = value;
  const TValueRange result{StoreDouble(v - (v - Minimum) * scale), StoreDouble(v + (Maximum - v) * scale)};
  check.Check();
  return result;
}

TValueRange TValueRange::AnimatedStepTowards(const TValueRange& target) const {
  const TFloatFaultCheck check;
  const long double min = Minimum;
  const long double max = Maximum;
  const TValueRange result{StoreDouble(min + (target.Minimum - min) / kAnimatedZoomFactor),
                           StoreDouble(max - (max - target.Maximum) / kAnimatedZoomFactor)};
  check.Check();
  return result;
}

}  // namespace corvane
