// The chart's back image: drawn over the panel background (or, with BackImageInside, over the
// plot area) stretched to the box, tiled from its top-left corner, or centred in it.
#pragma once

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/rect.h"

namespace corvane {

enum TBackImageMode { pbmStretch, pbmTile, pbmCenter };

// Nothing for an empty image or box. Tiles and a centred image larger than the box are clipped
// to it; the clip is removed afterwards.
void DrawBackImage(TCanvas& canvas, const TBitmap& image, const TRect& box, TBackImageMode mode);

}  // namespace corvane
