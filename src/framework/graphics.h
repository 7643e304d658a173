// The graphics objects of the drawing surface: TPen, TBrush and TFont are plain values; copying one
// copies all its fields. The drawing surface (framework/canvas.h) holds one of each.
#pragma once

#include <string>

#include "framework/color.h"

namespace corvane {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// The 16 raster operations; only pmCopy and pmNotXor are used by the program.
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = int;  // a set of TFontStyle bits

enum TFontPitch { fpDefault, fpVariable, fpFixed };
constexpr int DEFAULT_CHARSET = 1;

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  bool operator==(const TPen&) const = default;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  bool operator==(const TBrush&) const = default;
};

// Height < 0 is the em size in pixels (-11: an 11-pixel em); Size is in points at 96 pixels per
// inch, so Size = -Height * 72 / 96 rounded. Setting one through SetSize/SetHeight keeps both.
struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  int Size = 8;
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  int Charset = DEFAULT_CHARSET;
  TFontPitch Pitch = fpDefault;

  void SetSize(int points) {
    Size = points;
    Height = -((points * 96 + 36) / 72);
  }
  void SetHeight(int pixels) {
    Height = pixels;
    const int em = pixels < 0 ? -pixels : pixels;
    Size = (em * 72 + 48) / 96;
  }
  bool operator==(const TFont&) const = default;
};

}  // namespace corvane
