// The arithmetic of zooming a chart with the mouse wheel, as plain values and functions: wheel
// steps added up into whole notches, and an axis's bounds after some notches around the value
// under the pointer. The chart (custom_chart_wheel_zoom.cpp) applies them to its four axes.
#pragma once

#include "chart/zoom_panning.h"

namespace corvane {

// Each notch narrows (or, turned toward the user, widens) both axes by this factor.
inline constexpr double kWheelZoomFactor = 1.25;
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

// The bounds after `notches` notches around `value`: each bound's distance from `value` is
// divided by kWheelZoomFactor per notch (multiplied for negative notches), so `value` keeps its
// place between them and a pixel mapping keeps it under the pointer. 0..10 around 2 by one notch
// gives 0.4..8.4, and the other way -0.5..12. EOverflow when a bound leaves the double range.
TAxisBounds WheelZoomedBounds(const TAxisBounds& bounds, double value, int notches);

}  // namespace corvane
