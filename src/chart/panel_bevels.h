// The raised or lowered edges of the chart panel: the outer bevel, a band of BorderWidth in the
// panel colour, then the inner bevel, each stepping the rectangle inward. A raised bevel is
// light (clBtnHighlight) on top and left and dark (clBtnShadow) on bottom and right; a lowered
// one the other way round.
#pragma once

#include "framework/canvas.h"
#include "framework/rect.h"

namespace corvane {

enum TPanelBevel { bvNone, bvLowered, bvRaised };

struct TPanelEdges {
  TPanelBevel Outer = bvRaised;
  TPanelBevel Inner = bvNone;
  int BevelWidth = 1;
  int BorderWidth = 0;
  TColor Color = clBtnFace;
};

// Draws with a solid 1-pixel pen in copy mode and a clear brush; returns the rectangle inside.
TRect DrawPanelEdges(TCanvas& canvas, const TRect& bounds, const TPanelEdges& edges);

}  // namespace corvane
