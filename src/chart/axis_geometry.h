// Where an axis puts its pixels: the side of the plot it stands on, the segments of its ticks,
// grid lines and axis line, and the anchor and alignment of its label and title texts. Plain
// functions of the side, the plot rectangle and the positions the room computation recorded.
//
// Segments run From -> To with To left out, as MoveTo / LineTo paint them. Outward is down for
// the bottom axis, up for the top one, left for the left one and right for the right one.
// Example: bottom axis at y 148, tick offset 1, length 4, at x 100: (100, 149) -> (100, 153),
// rows 149..152.
#pragma once

#include "chart/chart_axis.h"
#include "framework/canvas.h"
#include "framework/rect.h"

namespace corvane {

enum class TAxisSide { Left, Top, Right, Bottom };

TAxisSide AxisSideOf(const TChartAxis& axis);

struct TSegment {
  TPoint From;
  TPoint To;
  bool operator==(const TSegment&) const = default;
};

// A tick at p along the axis, starting `offset` pixels outward of the axis line at
// axis_position and running `length` pixels outward; negative values go inward.
TSegment TickSegment(TAxisSide side, int axis_position, int p, int offset, int length);

// A grid line at p across the plot, from beside the axis to the far edge.
TSegment GridSegment(TAxisSide side, const TRect& plot, int p);

// The axis line at the drawn axis position; width_3d and height_3d are the 3-D offset (0 in 2-D).
TSegment AxisLineSegment(TAxisSide side, const TRect& plot, int drawn_position, int width_3d, int height_3d);

// The rectangle's edge on the side (its Bottom for TAxisSide::Bottom, and so on).
int EdgeOnSide(const TRect& rect, TAxisSide side);
// The axis position moved by the 3-D offset on the far sides: up on top, right on the right.
int DrawnAxisPosition(TAxisSide side, int axis_position, int width_3d, int height_3d);

// A rectangle that gave up `size` pixels on one side, and its new edge on that side.
struct TNarrowed {
  TRect Rect;
  int Edge = 0;
};
TNarrowed NarrowOnSide(TRect rect, TAxisSide side, int size);

// The reference point and alignment of a label or title text at `anchor`, turned by `angle`
// degrees. w_height is the height of "W" and text_height that of the text, both in the text's
// font. Angles other than 0, 90, 180 and 270 anchor the text at its left top corner.
struct TTextPlacement {
  TPoint Point;
  TTextAlign Align;
  bool operator==(const TTextPlacement&) const = default;
};
TTextPlacement PlaceAxisText(TAxisSide side, int angle, TPoint anchor, int text_height, int w_height);

}  // namespace corvane
