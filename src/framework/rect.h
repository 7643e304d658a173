// TPoint and TRect: integer pixel positions and boxes of the drawing surface. A TRect holds its
// four edges; by the surface's edge rule the Right column and the Bottom row lie outside the box,
// so (2, 2, 8, 8) covers x 2..7 and y 2..7 and Width() = Right - Left.
//
// Value operations return a new box: Normalized() puts each pair of edges in order, so
// (8, 8, 2, 2) becomes (2, 2, 8, 8); Intersected(other) is the overlap, empty (IsEmpty) when the
// boxes do not meet: (0, 0, 10, 10) with (5, 5, 20, 20) is (5, 5, 10, 10).
#pragma once

#include <algorithm>

namespace corvane {

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  // Right and bottom edges excluded, as everywhere on the surface.
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  [[nodiscard]] TRect Normalized() const {
    return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
  }
  [[nodiscard]] TRect Intersected(const TRect& other) const {
    return {std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
            std::min(Bottom, other.Bottom)};
  }
  bool operator==(const TRect&) const = default;
};

}  // namespace corvane
