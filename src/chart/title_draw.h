// Drawing a chart title at the top of the plot rectangle (Title) or at its bottom (Foot). Lines
// are one "W" height apart; a shown frame (visible, colour set) adds its width fw around the
// text, and with AdjustFrame is cut to the widest line. The title records the rectangle it took.
//
// Example: one line, text height 13, no frame, plot top 5: the plot's top becomes 5 + 13 + 5 = 23.
#pragma once

#include "chart/chart_title.h"
#include "framework/canvas.h"
#include "framework/rect.h"

namespace corvane {

enum class TTitleSide { Top, Bottom };

// Returns the plot rectangle narrowed by the title and 5 pixels of space (not normalised); a
// title without lines draws nothing and leaves it unchanged.
TRect DrawTitle(TChartTitle& title, TCanvas& canvas, const TRect& plot, TTitleSide side);

}  // namespace corvane
