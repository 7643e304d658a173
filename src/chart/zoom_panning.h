// The arithmetic of zooming and scrolling by mouse, as plain values and functions: the drag
// record, what a released zoom drag asks for, an axis's bounds after one scroll step or one step
// of the animated zoom, and the pen colour of the rubber band. The chart's mouse handling
// (custom_chart_mouse.cpp, custom_chart_zoom.cpp) feeds them pixels and axis values and applies the results.
#pragma once

#include <array>

#include "framework/color.h"

namespace corvane {

// Which axes a scroll drag (right button) moves.
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

// Pixels beyond which, in both directions, a zoom drag zooms or undoes: 17 and more.
inline constexpr int kZoomThreshold = 16;
// How close (less than) to an axis line a press counts as a press on that axis.
inline constexpr int kAxisClickTolerance = 12;
// Each step of the animated zoom goes a third of the remaining way.
inline constexpr int kAnimatedZoomFactor = 3;

// One drag in progress: where it started (X0, Y0) and where the mouse was last (X1, Y1), in
// client pixels.
struct TZoomPanningRecord {
  bool Active = false;
  int X0 = 0;
  int Y0 = 0;
  int X1 = 0;
  int Y1 = 0;

  void Start(int x, int y);
  // X0 <= X1 and Y0 <= Y1, exchanging where needed.
  void PutInOrder();
  bool operator==(const TZoomPanningRecord&) const = default;
};

enum class TZoomRelease { Nothing, Zoom, Undo };

// For a zoom drag ended at (X1, Y1): Zoom for a drag of more than kZoomThreshold pixels toward
// the bottom right, Undo for such a drag in any other direction, Nothing for a smaller one.
// (100, 40) -> (110, 90) is Nothing; (300, 120) -> (100, 40) and (300, 40) -> (100, 120) Undo.
TZoomRelease ZoomReleaseAction(const TZoomPanningRecord& drag);

// An axis's bounds, smaller first.
struct TAxisBounds {
  double Minimum = 0;
  double Maximum = 0;
  bool operator==(const TAxisBounds&) const = default;
};

// The bounds a zoom gives each axis of a chart.
struct TZoomTargets {
  TAxisBounds Top;
  TAxisBounds Bottom;
  TAxisBounds Left;
  TAxisBounds Right;
  // In the order of TCustomAxisPanel::AxesHorizFirst.
  std::array<TAxisBounds, 4> HorizFirst() const { return {Top, Bottom, Left, Right}; }
};

// The bounds after a scroll step that takes the value at the mouse's old pixel (`from_value`) to
// its new one (`to_value`): both bounds move by from_value - to_value, so the picture follows
// the mouse. EOverflow when a bound leaves the double range.
TAxisBounds ScrolledBounds(const TAxisBounds& bounds, double from_value, double to_value);

// One step of the animated zoom: a third of the way from the bounds toward the target.
// EOverflow when a bound leaves the double range.
TAxisBounds AnimatedZoomStep(const TAxisBounds& bounds, const TAxisBounds& target);

// The rubber band is XOR-drawn in the panel colour, which shows white over the panel; a white
// panel would make it invisible, so it takes red there.
TColor ZoomPenColor(TColor panel_color);

}  // namespace corvane
