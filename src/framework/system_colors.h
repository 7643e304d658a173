// Turning a TColor into a QColor: plain colours are 0x00BBGGRR, system colours (top bit set) are
// looked up in a palette, by default the application's, so charts follow the desktop theme.
// clAutoColor and clNone are the chart engine's markers and must be handled before resolving.
#pragma once

#include <QColor>
#include <QPalette>

#include "framework/color.h"

namespace corvane {

QColor ResolveColor(TColor color, const QPalette& palette);
QColor ResolveColor(TColor color);

// The plain TColor of an RGB colour (alpha ignored): the inverse of ResolveColor for plain colours.
TColor ColorFromQColor(const QColor& color);

}  // namespace corvane
