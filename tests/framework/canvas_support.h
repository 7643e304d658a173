// Helpers for reading painted pixels back from images in the canvas tests.
#pragma once

#include <QImage>
#include <string>

#include "framework/rect.h"

namespace corvane::testing {

// A white image of the given logical size at a device pixel ratio.
QImage BlankImage(int width, int height, qreal device_pixel_ratio = 1.0);

// Device pixels that differ from white.
bool IsPainted(const QImage& image, int x, int y);
// The smallest box (right and bottom excluded) holding every painted pixel; empty when none.
TRect InkBounds(const QImage& image);
int PaintedCount(const QImage& image);

// One text row per image row, '#' for black, '.' for white and '+' for any other colour.
std::string Picture(const QImage& image, const TRect& area);

}  // namespace corvane::testing
