// Whether a mouse pixel lies on a drawn segment, in integer arithmetic: P must lie inside the
// bounding box of A and B (edges included) and |(Bx - Ax)(Py - Ay) - (By - Ay)(Px - Ax)|, twice the
// area of the triangle A B P, must be below max(|Bx - Ax|, |By - Ay|), which keeps P within about
// a pixel of the line. A zero-length segment never hits.
//
// Example: A (0, 0), B (10, 5): P (4, 2) hits (|10*2 - 5*4| = 0 < 10); P (4, 4) misses (20).
#pragma once

#include "framework/rect.h"

namespace corvane {

// Products are formed in 64 bits: pixels of far-off points reach +/-2^30.
bool SegmentHit(TPoint a, TPoint b, TPoint p);

}  // namespace corvane
