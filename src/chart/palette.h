// The sixteen colours handed out to series that have no colour of their own.
#pragma once

#include <array>

#include "framework/color.h"

namespace corvane {

inline constexpr std::array<TColor, 16> DefaultPalette = {
    clRed,  clGreen,  clYellow, clBlue,  clWhite,  clGray,   clFuchsia, clTeal,
    clNavy, clMaroon, clLime,   clOlive, clPurple, clSilver, clAqua,    clBlack};

// Palette colour k for any k >= 0: the palette repeats every sixteen entries.
constexpr TColor PaletteColor(int k) {
  return DefaultPalette[static_cast<unsigned>(k) % DefaultPalette.size()];
}

}  // namespace corvane
