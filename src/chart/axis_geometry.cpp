#include "chart/axis_geometry.h"

namespace corvane {

namespace {

bool IsHorizontal(TAxisSide side) {
  return side == TAxisSide::Top || side == TAxisSide::Bottom;
}

// +1 where outward runs toward larger coordinates (down, right).
int OutwardSign(TAxisSide side) {
  return side == TAxisSide::Bottom || side == TAxisSide::Right ? 1 : -1;
}

TTextPlacement Placed(TPoint anchor, TTextHorz horz, TTextVert vert, int dx = 0, int dy = 0) {
  return {{anchor.X + dx, anchor.Y + dy}, {horz, vert}};
}

using H = TTextHorz;
using V = TTextVert;

TTextPlacement PlaceAt0(TAxisSide side, TPoint a, int half_w) {
  switch (side) {
    case TAxisSide::Bottom:
      return Placed(a, H::Center, V::Top);
    case TAxisSide::Top:
      return Placed(a, H::Center, V::Bottom);
    case TAxisSide::Left:
      return Placed(a, H::Right, V::Top, 0, -half_w);
    case TAxisSide::Right:
      break;
  }
  return Placed(a, H::Left, V::Top, 0, -half_w);
}

TTextPlacement PlaceAt90(TAxisSide side, TPoint a, int half_text) {
  switch (side) {
    case TAxisSide::Bottom:
      return Placed(a, H::Right, V::Top, -half_text);
    case TAxisSide::Top:
      return Placed(a, H::Left, V::Top, -half_text);
    case TAxisSide::Left:
      return Placed(a, H::Center, V::Bottom);
    case TAxisSide::Right:
      break;
  }
  return Placed(a, H::Center, V::Top);
}

TTextPlacement PlaceAt180(TAxisSide side, TPoint a, int half_w) {
  switch (side) {
    case TAxisSide::Bottom:
      return Placed(a, H::Center, V::Bottom);
    case TAxisSide::Top:
      return Placed(a, H::Center, V::Top);
    case TAxisSide::Left:
      return Placed(a, H::Left, V::Top, 0, half_w);
    case TAxisSide::Right:
      break;
  }
  return Placed(a, H::Right, V::Top, 0, half_w);
}

TTextPlacement PlaceAt270(TAxisSide side, TPoint a, int half_text) {
  switch (side) {
    case TAxisSide::Bottom:
      return Placed(a, H::Left, V::Top, half_text);
    case TAxisSide::Top:
      return Placed(a, H::Right, V::Top, half_text);
    case TAxisSide::Left:
      return Placed(a, H::Center, V::Top);
    case TAxisSide::Right:
      break;
  }
  return Placed(a, H::Center, V::Bottom);
}

}  // namespace

TAxisSide AxisSideOf(const TChartAxis& axis) {
  if (axis.Horizontal())
    return axis.FarSide() ? TAxisSide::Top : TAxisSide::Bottom;
  return axis.FarSide() ? TAxisSide::Right : TAxisSide::Left;
}

TSegment TickSegment(TAxisSide side, int axis_position, int p, int offset, int length) {
  const int sign = OutwardSign(side);
  const int start = axis_position + sign * offset;
  const int end = start + sign * length;
  if (IsHorizontal(side))
    return {{p, start}, {p, end}};
  return {{start, p}, {end, p}};
}

TSegment GridSegment(TAxisSide side, const TRect& plot, int p) {
  switch (side) {
    case TAxisSide::Bottom:
      return {{p, plot.Bottom - 1}, {p, plot.Top}};
    case TAxisSide::Top:
      return {{p, plot.Top + 1}, {p, plot.Bottom}};
    case TAxisSide::Left:
      return {{plot.Left + 1, p}, {plot.Right, p}};
    case TAxisSide::Right:
      break;
  }
  return {{plot.Right - 1, p}, {plot.Left, p}};
}

TSegment AxisLineSegment(TAxisSide side, const TRect& plot, int drawn_position, int width_3d, int height_3d) {
  switch (side) {
    case TAxisSide::Bottom:
      return {{plot.Left, drawn_position}, {plot.Right, drawn_position}};
    case TAxisSide::Top:
      return {{plot.Left, drawn_position}, {plot.Right + width_3d, drawn_position}};
    case TAxisSide::Left:
      return {{drawn_position, plot.Top + 1}, {drawn_position, plot.Bottom}};
    case TAxisSide::Right:
      break;
  }
  return {{drawn_position, plot.Top - height_3d + 1}, {drawn_position, plot.Bottom - height_3d}};
}

int EdgeOnSide(const TRect& rect, TAxisSide side) {
  switch (side) {
    case TAxisSide::Bottom:
      return rect.Bottom;
    case TAxisSide::Top:
      return rect.Top;
    case TAxisSide::Left:
      return rect.Left;
    case TAxisSide::Right:
      break;
  }
  return rect.Right;
}

int DrawnAxisPosition(TAxisSide side, int axis_position, int width_3d, int height_3d) {
  if (side == TAxisSide::Top)
    return axis_position - height_3d;
  if (side == TAxisSide::Right)
    return axis_position + width_3d;
  return axis_position;
}

TNarrowed NarrowOnSide(TRect rect, TAxisSide side, int size) {
  switch (side) {
    case TAxisSide::Bottom:
      rect.Bottom -= size;
      break;
    case TAxisSide::Top:
      rect.Top += size;
      break;
    case TAxisSide::Left:
      rect.Left += size;
      break;
    case TAxisSide::Right:
      rect.Right -= size;
      break;
  }
  return {rect, EdgeOnSide(rect, side)};
}

TTextPlacement PlaceAxisText(TAxisSide side, int angle, TPoint anchor, int text_height, int w_height) {
  switch (angle) {
    case 0:
      return PlaceAt0(side, anchor, w_height / 2);
    case 90:
      return PlaceAt90(side, anchor, text_height / 2);
    case 180:
      return PlaceAt180(side, anchor, w_height / 2);
    case 270:
      return PlaceAt270(side, anchor, text_height / 2);
    default:
      return Placed(anchor, H::Left, V::Top);
  }
}

}  // namespace corvane
