// TValueRange: the bounds of an axis (or any span of values), smaller first, as a value that
// knows the arithmetic of zoom and scroll: a scroll step, a wheel zoom around the value under the
// pointer, one step of the animated zoom, and its width. Each result is computed in extended
// precision and stored back as the program stores doubles, so a bound that leaves the double
// range is an EOverflow rather than an infinite axis. The chart's mouse handling takes the range
// from an axis (TChartAxis::Bounds), moves it here and assigns it back.
#pragma once

namespace corvane {

// Each step of the animated zoom goes a third of the remaining way.
inline constexpr int kAnimatedZoomFactor = 3;
// Each wheel notch narrows (or, turned toward the user, widens) both axes by this factor.
inline constexpr double kWheelZoomFactor = 1.25;

struct TValueRange {
  double Minimum = 0;
  double Maximum = 0;

  // Maximum - Minimum, taken wide so that a range across the whole double range stays finite.
  long double Width() const { return static_cast<long double>(Maximum) - Minimum; }

  // After a scroll step that takes the value at the mouse's old pixel (`from_value`) to its new
  // one (`to_value`): both bounds move by from_value - to_value, so the picture follows the mouse.
  TValueRange Scrolled(double from_value, double to_value) const;

  // After `notches` wheel notches around `value`: each bound's distance from `value` is divided
  // by kWheelZoomFactor per notch (multiplied for negative notches), so `value` keeps its place
  // between them and a pixel mapping keeps it under the pointer. 0..10 around 2 by one notch
  // gives 0.4..8.4, and the other way -0.5..12.
  TValueRange WheelZoomed(double value, int notches) const;

  // One step of the animated zoom: a third of the way toward `target`, each bound on its own.
  TValueRange AnimatedStepTowards(const TValueRange& target) const;

  bool operator==(const TValueRange&) const = default;
};

}  // namespace corvane
