#include "chart/wheel_zoom.h"

namespace corvane {

// Whole notches toward zero; the remainder keeps its sign, so -130 gives -1 and leaves -10.
int TWheelNotches::Add(int angle_delta) {
  const long long sum = static_cast<long long>(pending_) + angle_delta;
  const long long notches = sum / kWheelNotchAngle;
  pending_ = static_cast<int>(sum - notches * kWheelNotchAngle);
  return static_cast<int>(notches);
}

}  // namespace corvane
