// The arithmetic of zooming and scrolling by mouse, as plain values and functions: the drag
// record, what a released zoom drag asks for, the bounds a zoom gives each axis, and the pen
// colour of the rubber band; the bounds themselves move as a TValueRange (value_range.h). The chart's mouse
// handling (custom_chart_mouse.cpp, custom_chart_zoom.cpp) feeds them pixels and axis values and applies the
// results.
#pragma once

#include <array>

#include "chart/value_range.h"
#include "framework/color.h"

namespace corvane {

// Which axes a scroll drag (right button) moves.
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

// Pixels beyond which, in both directions, a zoom drag zooms or undoes: 17 and more.
inline constexpr int kZoomThreshold = 16;
// How close (less than) to an axis line a press counts as a press on that axis.
inline constexpr int kAxisClickTolerance = 12;

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

// The bounds a zoom gives each axis of a chart.
struct TZoomTargets {
  TValueRange Top;
  TValueRange Bottom;
  TValueRange Left;
  TValueRange Right;
  // In the order of TCustomAxisPanel::AxesHorizFirst.
  std::array<TValueRange, 4> HorizFirst() const { return {Top, Bottom, Left, Right}; }
};

// The rubber band is XOR-drawn in the panel colour, which shows white over the panel; a white
// panel would make it invisible, so it takes red there.
TColor ZoomPenColor(TColor panel_color);

}  // namespace corvane
