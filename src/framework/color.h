// TColor: 0x00BBGGRR for plain colours; the top bit set names a system colour resolved from the
// application's palette (framework/system_colors.h). clAutoColor and clNone are the chart
// engine's reserved values.
#pragma once

#include <cstdint>

namespace corvane {

using TColor = std::int32_t;

constexpr TColor ColorFromRgb(int r, int g, int b) {
  return TColor(r | (g << 8) | (b << 16));
}
constexpr int RedOf(TColor c) {
  return c & 0xFF;
}
constexpr int GreenOf(TColor c) {
  return (c >> 8) & 0xFF;
}
constexpr int BlueOf(TColor c) {
  return (c >> 16) & 0xFF;
}
constexpr bool IsSystemColor(TColor c) {
  return c < 0;
}

constexpr TColor clBlack = 0x00000000;
constexpr TColor clMaroon = 0x00000080;
constexpr TColor clGreen = 0x00008000;
constexpr TColor clOlive = 0x00008080;
constexpr TColor clNavy = 0x00800000;
constexpr TColor clPurple = 0x00800080;
constexpr TColor clTeal = 0x00808000;
constexpr TColor clGray = 0x00808080;
constexpr TColor clSilver = 0x00C0C0C0;
constexpr TColor clRed = 0x000000FF;
constexpr TColor clLime = 0x0000FF00;
constexpr TColor clYellow = 0x0000FFFF;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor clFuchsia = 0x00FF00FF;
constexpr TColor clAqua = 0x00FFFF00;
constexpr TColor clWhite = 0x00FFFFFF;
// The light yellow of the chart walls and markers: red 255, green 255, blue 128.
constexpr TColor clLightYellow = 0x0080FFFF;

constexpr TColor SystemColor(int index) {
  return TColor(0x80000000u | unsigned(index));
}
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

// Chart engine: no colour set, and a point drawn as a gap.
constexpr TColor clAutoColor = SystemColor(0);  // 0x80000000
constexpr TColor clNone = 0x1FFFFFFF;

}  // namespace corvane
