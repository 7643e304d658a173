// Turning a TColor into a QColor: plain colours are 0x00BBGGRR, system colours (top bit set) are
// looked up in a palette.
//
// What a canvas draws is a figure, like a page: its system colours come from FigurePalette, the
// light palette of Qt's own style, whatever the desktop's palette. The charts' fixed colours (blue
// titles, black axes, red and yellow series, light walls) were chosen against that light panel;
// under a dark desktop palette a panel that followed it would leave them at 1.4:1 and 1.7:1.
// Windows, menus and read-outs around the figure follow the desktop.
// clAutoColor and clNone are the chart engine's markers and must be handled before resolving.
#pragma once

#include <QColor>
#include <QPalette>

#include "framework/color.h"

namespace corvane {

QColor ResolveColor(TColor color, const QPalette& palette);
QColor ResolveColor(TColor color);

// The light palette figures are drawn in; at Qt's default palette it is that palette.
const QPalette& FigurePalette();

// The plain TColor of an RGB colour (alpha ignored): the inverse of ResolveColor for plain colours.
TColor ColorFromQColor(const QColor& color);

}  // namespace corvane
