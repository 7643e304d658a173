// The hover read-out of a chart: which series items lie near the mouse, nearest first, and the
// text that joins what the program says about each.
//
//   mouse (x, y) --ReadoutHits--> one TReadoutHit per active series whose point or segment lies
//   within kReadoutRadius pixels, over the points shown at the last paint, nearest first
//   --ReadoutTipText(hits, TReadoutText)--> the tooltip's text, one block per hit
//
// A segment's hit names its nearer end point, so the read-out always shows a point of the data.
// The widget (chart_pointer_tools.h) shows the text as a tooltip that follows the mouse.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/rect.h"

namespace corvane {

class TCustomAxisPanel;
class TChartSeries;

// How close, in logical pixels, the mouse must come to a point or a segment.
inline constexpr double kReadoutRadius = 5;

// The distance from p to the segment a-b (to a when the segment has no length), in pixels:
// a (0, 0), b (10, 0), p (4, 3) is 3; p (13, 4) is 5.
double PixelDistanceToSegment(TPoint a, TPoint b, TPoint p);

struct TReadoutHit {
  const TChartSeries* Series = nullptr;
  int Index = -1;       // the point hit, or the end of the segment hit nearer the mouse
  double Distance = 0;  // pixels from the mouse to the point or segment
  bool operator==(const TReadoutHit&) const = default;
};

// Points count when their pixel lies inside PlotRect (edges included), segments (of a series
// that draws lines) where their nearest place to the mouse does; gaps (clNone) and the segments into and out
// of them never. An equal distance keeps the order of the series list.
std::vector<TReadoutHit> ReadoutHits(const TCustomAxisPanel& chart, int x, int y);

// What the program says about one point of a series; an empty text leaves the hit out.
using TReadoutText = std::function<std::string(const TChartSeries& series, int index)>;

// The texts of the hits in their order, a blank line between two; empty when none has a text.
std::string ReadoutTipText(const std::vector<TReadoutHit>& hits, const TReadoutText& text);

// Where the read-out's tooltip goes: where Qt placed it (`tip`, screen pixels), unless that covers
// the pointer, which a screen edge can make it do; then kReadoutTipGap below-right of the pointer,
// else below-left, above-right or above-left, the first that fits the screen. Pointer (100, 100),
// tip 40 x 20 at (90, 95), screen 0..1280 x 0..1024: the tip goes to (104, 104).
inline constexpr int kReadoutTipGap = 4;
TRect ReadoutTipPlacement(const TRect& tip, TPoint pointer, const TRect& screen);

}  // namespace corvane
