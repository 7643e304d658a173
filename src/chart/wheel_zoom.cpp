#include "chart/wheel_zoom.h"

#include <cmath>

#include "runtime/float_checks.h"

namespace corvane {

// Whole notches toward zero; the remainder keeps its sign, so -130 gives -1 and leaves -10.
int TWheelNotches::Add(int angle_delta) {
  const long long sum = static_cast<long long>(pending_) + angle_delta;
  const long long notches = sum / kWheelNotchAngle;
  pending_ = static_cast<int>(sum - notches * kWheelNotchAngle);
  return static_cast<int>(notches);
}

TAxisBounds WheelZoomedBounds(const TAxisBounds& bounds, double value, int notches) {
  const FloatFaultCheck check;
  const long double scale =
      std::pow(static_cast<long double>(kWheelZoomFactor), -static_cast<long double>(notches));
  const long double v = value;
  const TAxisBounds result{StoreDouble(v - (v - bounds.Minimum) * scale),
                           StoreDouble(v + (bounds.Maximum - v) * scale)};
  check.Check();
  return result;
}

}  // namespace corvane
