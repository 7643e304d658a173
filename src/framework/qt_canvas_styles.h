// How the Qt drawing surface (qt_canvas.h) turns the surface's pen modes, pen styles and brush
// styles into the toolkit's, shared by its exact and its device-resolution paths.
#pragma once

#include <QPainter>
#include <QRect>
#include <span>

#include "framework/graphics.h"
#include "framework/rect.h"

namespace corvane {

// The raster operation of a pen mode; pmCopy and pmNop give plain source-over.
QPainter::CompositionMode CompositionFor(TPenMode mode);

// Dash patterns in pixels for a 1-pixel pen, on first; wider pens stretch them by their width.
// Empty for solid pens.
std::span<const int> BasePattern(TPenStyle style);

Qt::BrushStyle HatchFor(TBrushStyle style);

inline QRect ToQRect(const TRect& r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

}  // namespace corvane
