// The arithmetic of zooming a chart with the mouse wheel, as plain values and functions: wheel
// steps added up into whole notches, and the bounds after some notches around the value under the
// pointer (TValueRange::WheelZoomed). The chart (custom_chart_wheel_zoom.cpp) applies them to its four axes.
#pragma once

namespace corvane {

// The angle one notch of a common wheel reports, in eighths of a degree.
inline constexpr int kWheelNotchAngle = 120;

// A trackpad or a fine-resolution wheel reports fractions of a notch; they count once they add
// up to a whole one. Turning back first uses up what was pending.
class TWheelNotches {
 public:
  // Adds `angle_delta` (positive away from the user) and returns the whole notches it completes,
  // keeping the rest: 40 then 40 then 40 give 0, 0, 1.
  int Add(int angle_delta);
  void Reset() { pending_ = 0; }
  int Pending() const { return pending_; }

 private:
  int pending_ = 0;
};

}  // namespace corvane
